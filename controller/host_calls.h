// Convenience wrappers over the host's menu, line and prompt calls, which take counted texts
// by reference.
#pragma once

#include "host/host_table.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace qx::call {

inline void wrtlvl(std::string_view text) {
    const host::str255 t(text);
    host::Host().wrtlvl(&t, 0);
}
inline void wrtmsg(std::string_view text) {
    const host::str255 t(text);
    host::Host().wrtmsg(&t, 0);
}
inline void wrterr(std::string_view text) {
    const host::str255 t(text);
    host::Host().wrterr(&t, 0);
}
inline void Lblsinit() {
    host::Host().Lblsinit();
}
inline void lblson() {
    host::Host().lblson(0);
}
inline void Lblset(std::int32_t key, std::string_view label, std::string_view hint) {
    const host::str255 l(label), h(hint);
    host::Host().Lblset(key, &l, &h);
}
inline void Lblsett(std::int32_t key, std::string_view label, bool on, std::string_view hint) {
    const host::str255 l(label), h(hint);
    host::Host().Lblsett(key, &l, on, &h);
}
inline void lblsettf(std::int32_t key, std::string_view label, std::int32_t state,
                     std::string_view hint) {
    const host::str255 l(label), h(hint);
    host::Host().lblsettf(key, &l, state, &h);
}
inline std::int32_t FnKeyConv(std::int32_t key) {
    return host::Host().FnKeyConv(key);
}

} // namespace qx::call
