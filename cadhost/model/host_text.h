// Handing texts out to the macro through the host's counted texts.
#pragma once

#include "host/host_types.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace cadhost {

// Puts at most `maxLen` (and never more than 255) characters of the text into `out`. An empty
// text may have no storage at all, so it clears `out` instead of copying from nowhere.
inline void CopyOut(std::string_view text, std::int32_t maxLen, qx::host::str255& out) {
    const auto limit = static_cast<std::size_t>(std::clamp(maxLen, 0, 255));
    text = text.substr(0, limit);
    if (text.empty()) {
        out = qx::host::str255{};
        return;
    }
    out.assign(text);
}

} // namespace cadhost
