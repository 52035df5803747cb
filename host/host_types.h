// Basic value types of the host interface, shared by the macro and the stand-in host.
//
// Every type here has alignment 1: the host's records place fields at odd offsets, and the
// state record must come out at an exact size, so all interface types are byte-packed.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace qx::host {

#pragma pack(push, 1)

// A counted 8-bit text of at most 255 characters (Windows-1252 bytes).
struct str255 {
    std::uint8_t len = 0;
    char text[255] = {};

    str255() = default;
    str255(std::string_view s) { assign(s); } // NOLINT: a text literal is a str255 at the interface

    void assign(std::string_view s) {
        len = static_cast<std::uint8_t>(std::min<std::size_t>(s.size(), 255));
        // An empty view may carry a null pointer, which memcpy must not be given.
        if (len > 0)
            std::memmove(text, s.data(), len);
    }
    std::string_view view() const { return {text, len}; }
    std::string str() const { return std::string(view()); }
    bool empty() const { return len == 0; }
};
static_assert(sizeof(str255) == 256);

// The host's address of an entity or a layer.
struct lgl_addr {
    std::int32_t page = 0;
    std::int32_t ofs = 0;
    friend bool operator==(const lgl_addr&, const lgl_addr&) = default;
};
static_assert(sizeof(lgl_addr) == 8);

// A point of the drawing: three reals.
struct point {
    double x = 0;
    double y = 0;
    double z = 0;
};
static_assert(sizeof(point) == 24);

#pragma pack(pop)

} // namespace qx::host
