#include "settings/path_compare.h"

#include <cstddef>

namespace qx::settings {
namespace {

// A byte that does not start a well-formed sequence stands for itself, above the code points, so
// that it only ever equals the same byte.
constexpr char32_t kRawByte = 0x110000;

// Reads one character at `pos` and moves past it.
char32_t NextCharacter(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t length = 1;
    char32_t c = lead;
    if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        c = lead & 0x07;
    } else if (lead >= 0xE0) {
        length = lead <= 0xEF ? 3 : 0;
        c = lead & 0x0F;
    } else if (lead >= 0xC2) {
        length = 2;
        c = lead & 0x1F;
    } else if (lead >= 0x80) {
        length = 0;
    }
    if (length == 0 || pos + length > text.size()) {
        ++pos;
        return kRawByte + lead;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return kRawByte + lead;
        }
        c = (c << 6) | (next & 0x3F);
    }
    pos += length;
    return c;
}

// Lower case of the letters of the Latin, Greek and Cyrillic alphabets that have one.
char32_t Folded(char32_t c) {
    if (c >= U'A' && c <= U'Z')
        return c + 0x20;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) // À to Þ, without ×
        return c + 0x20;
    if (c == 0x178) // Ÿ
        return 0xFF;
    // Latin Extended-A pairs its letters upper then lower, with one stretch the other way.
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177))
        return c | 1;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
        return (c & 1) != 0 ? c + 1 : c;
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) // Greek capitals
        return c + 0x20;
    if (c >= 0x410 && c <= 0x42F) // Cyrillic capitals
        return c + 0x20;
    if (c >= 0x400 && c <= 0x40F)
        return c + 0x50;
    return c;
}

} // namespace

bool SamePathIgnoringCase(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (Folded(NextCharacter(a, i)) != Folded(NextCharacter(b, j)))
            return false;
    }
    return i == a.size() && j == b.size();
}

} // namespace qx::settings
