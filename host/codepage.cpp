#include "host/codepage.h"

#include <array>
#include <cstdint>

namespace qx::host {
namespace {

// Code points of bytes 0x80..0x9F; 0 marks the five bytes the code page leaves undefined,
// which map to the C1 control of the same value, as Windows does.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t ToCodePoint(unsigned char c) {
    if (c >= 0x80 && c < 0xA0 && kHigh[c - 0x80] != 0)
        return kHigh[c - 0x80];
    return c;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::optional<unsigned char> FromCodePoint(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<unsigned char>(cp);
    for (unsigned i = 0; i < kHigh.size(); ++i) {
        if (kHigh[i] == cp || (kHigh[i] == 0 && cp == 0x80 + i))
            return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

// Decodes one UTF-8 sequence at s[i]; advances i. nullopt for malformed input.
std::optional<char32_t> Decode(std::string_view s, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    int extra = b0 < 0x80           ? 0
                : (b0 >> 5) == 0x6  ? 1
                : (b0 >> 4) == 0xE  ? 2
                : (b0 >> 3) == 0x1E ? 3
                                    : -1;
    if (extra < 0 || i + extra >= s.size())
        return std::nullopt;
    char32_t cp = extra == 0 ? b0 : b0 & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80)
            return std::nullopt;
        cp = (cp << 6) | (b & 0x3F);
    }
    // An overlong form would smuggle a character (a NUL, a quote) past anyone who checks the
    // bytes; surrogates and code points past Unicode's end are no characters at all.
    constexpr std::array<char32_t, 4> kLeast = {0, 0x80, 0x800, 0x10000};
    if (cp < kLeast[static_cast<std::size_t>(extra)] || (cp >= 0xD800 && cp <= 0xDFFF) ||
        cp > 0x10FFFF)
        return std::nullopt;
    i += extra + 1;
    return cp;
}

} // namespace

std::string Cp1252ToUtf8(std::string_view cp1252) {
    std::string out;
    out.reserve(cp1252.size());
    for (char c : cp1252)
        AppendUtf8(out, ToCodePoint(static_cast<unsigned char>(c)));
    return out;
}

std::optional<std::string> Utf8ToCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto cp = Decode(utf8, i);
        if (!cp)
            return std::nullopt;
        const auto byte = FromCodePoint(*cp);
        if (!byte)
            return std::nullopt;
        out += static_cast<char>(*byte);
    }
    return out;
}

std::string Utf8ToCp1252Lossy(std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto cp = Decode(utf8, i);
        if (!cp) {
            ++i;
            out += '?';
            continue;
        }
        const auto byte = FromCodePoint(*cp);
        out += byte ? static_cast<char>(*byte) : '?';
    }
    return out;
}

} // namespace qx::host
