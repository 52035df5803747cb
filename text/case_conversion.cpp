#include "text/case_conversion.h"

#include "text/char_class.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

namespace qx::text {
namespace {

using ByteTable = std::array<unsigned char, 256>;

// Windows-1252 upper/lower pairs beyond ASCII. Latin-1 letters sit 0x20 apart, except the
// multiplication and division signs, which are not letters.
constexpr std::array<std::pair<unsigned char, unsigned char>, 4> kExtraPairs = {{
    {0x8A, 0x9A}, // Š š
    {0x8C, 0x9C}, // Œ œ
    {0x8E, 0x9E}, // Ž ž
    {0x9F, 0xFF}, // Ÿ ÿ
}};

constexpr ByteTable Identity() {
    ByteTable table{};
    for (unsigned i = 0; i < table.size(); ++i)
        table[i] = static_cast<unsigned char>(i);
    return table;
}

// Builds the table for one direction; toUpper picks which member of each pair is the target.
constexpr ByteTable FullTable(bool toUpper) {
    ByteTable table = Identity();
    auto map = [&](unsigned upper, unsigned lower) {
        if (toUpper)
            table[lower] = static_cast<unsigned char>(upper);
        else
            table[upper] = static_cast<unsigned char>(lower);
    };
    for (unsigned c = 'A'; c <= 'Z'; ++c)
        map(c, c + 0x20);
    for (unsigned c = 0xC0; c <= 0xDE; ++c) {
        if (c != 0xD7)
            map(c, c + 0x20);
    }
    for (const auto& [upper, lower] : kExtraPairs)
        map(upper, lower);
    return table;
}

constexpr ByteTable AsciiTable(bool toUpper) {
    ByteTable table = Identity();
    for (unsigned c = 'A'; c <= 'Z'; ++c) {
        if (toUpper)
            table[c + 0x20] = static_cast<unsigned char>(c);
        else
            table[c] = static_cast<unsigned char>(c + 0x20);
    }
    return table;
}

constexpr ByteTable kFullUpper = FullTable(true);
constexpr ByteTable kFullLower = FullTable(false);
constexpr ByteTable kAsciiUpper = AsciiTable(true);
constexpr ByteTable kAsciiLower = AsciiTable(false);

const ByteTable& TableFor(CaseConversion conversion, CaseMapping mapping) {
    const bool upper = conversion == CaseConversion::Upper;
    if (mapping == CaseMapping::Full)
        return upper ? kFullUpper : kFullLower;
    return upper ? kAsciiUpper : kAsciiLower;
}

char Map(const ByteTable& table, char c) {
    return static_cast<char>(table[static_cast<unsigned char>(c)]);
}

// Sentence case is a walk with one mark: whether the next character may start a sentence.
// The callback receives each position and its converted character.
template <class Visit> void WalkSentenceCase(std::string_view text, Visit visit) {
    bool sentenceStart = true;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char lowered = AsciiToLower(text[i]);
        if (lowered == '.') {
            sentenceStart = true;
            visit(i, lowered);
            continue;
        }
        if (!sentenceStart || lowered == ' ' || lowered == '(' || lowered == ')') {
            visit(i, lowered);
            continue;
        }
        sentenceStart = false;
        visit(i, AsciiToUpper(lowered));
    }
}

} // namespace

std::string SentenceCase(std::string_view text) {
    std::string out(text);
    WalkSentenceCase(text, [&](std::size_t i, char c) { out[i] = c; });
    return out;
}

void ConvertCase(std::span<char> text, CaseConversion conversion, CaseMapping mapping) {
    if (conversion == CaseConversion::Sentence) {
        WalkSentenceCase({text.data(), text.size()}, [&](std::size_t i, char c) { text[i] = c; });
        return;
    }
    const ByteTable& table = TableFor(conversion, mapping);
    std::ranges::transform(text, text.begin(), [&](char c) { return Map(table, c); });
}

std::string ConvertedCase(std::string_view text, CaseConversion conversion, CaseMapping mapping) {
    std::string out(text);
    ConvertCase(out, conversion, mapping);
    return out;
}

bool ConversionChanges(std::string_view text, CaseConversion conversion, CaseMapping mapping) {
    if (conversion == CaseConversion::Sentence) {
        bool changes = false;
        WalkSentenceCase(text, [&](std::size_t i, char c) { changes = changes || c != text[i]; });
        return changes;
    }
    const ByteTable& table = TableFor(conversion, mapping);
    return std::ranges::any_of(text, [&](char c) { return Map(table, c) != c; });
}

} // namespace qx::text
