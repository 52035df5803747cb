// Character classes of the text engine. Texts are Windows-1252 bytes; these classes are
// deliberately ASCII-only so that matching never depends on a locale.
#pragma once

#include <array>

namespace qx::text {

constexpr bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}
constexpr bool IsAsciiUpper(char c) {
    return c >= 'A' && c <= 'Z';
}
constexpr bool IsAsciiLower(char c) {
    return c >= 'a' && c <= 'z';
}

// Word characters are exactly 0-9, A-Z and a-z; everything else, accented letters and the
// underscore included, is a word boundary.
constexpr bool IsWordChar(char c) {
    return IsAsciiDigit(c) || IsAsciiUpper(c) || IsAsciiLower(c);
}

constexpr char AsciiToUpper(char c) {
    return IsAsciiLower(c) ? static_cast<char>(c - 'a' + 'A') : c;
}
constexpr char AsciiToLower(char c) {
    return IsAsciiUpper(c) ? static_cast<char>(c - 'A' + 'a') : c;
}

// The ASCII upper-case fold of every byte, as a table: case-insensitive matching runs over every
// text of a drawing, and a lookup is cheaper than two comparisons per byte.
inline constexpr std::array<unsigned char, 256> kAsciiFold = [] {
    std::array<unsigned char, 256> table{};
    for (unsigned i = 0; i < table.size(); ++i)
        table[i] = static_cast<unsigned char>(AsciiToUpper(static_cast<char>(i)));
    return table;
}();

constexpr unsigned char FoldAscii(char c) {
    return kAsciiFold[static_cast<unsigned char>(c)];
}

} // namespace qx::text
