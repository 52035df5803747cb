// The text engine has two forms of each operation: one over a std::string of any length and
// one over the host's str255, edited in place. Given the same text, options and the 255
// character limit, both must give the same answer and the same text.
//
// Input: a byte of options, a byte naming the operation, four bytes of step (little-endian),
// a byte of start position and a byte of length limit; then the search text, the replacement
// and the text, separated by NUL bytes.
#include "host/host_types.h"
#include "tests/fuzz/fuzz_check.h"
#include "text/case_conversion.h"
#include "text/number_increment.h"
#include "text/number_patterns.h"
#include "text/replace_matches.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace {

using namespace qx::text;
using qx::host::str255;

constexpr std::size_t kHeader = 8;
constexpr std::int32_t kEntityMax = 255;

struct Input {
    std::uint8_t options = 0;
    std::uint8_t operation = 0;
    std::int32_t step = 0;
    std::int32_t start = 0;
    std::int32_t maxLen = 0;
    std::string_view search;
    std::string_view replacement;
    std::string_view text;

    bool Option(int bit) const { return (options >> bit & 1) != 0; }
};

std::string_view NextPart(std::string_view& rest) {
    const auto end = std::min(rest.find('\0'), rest.size());
    const std::string_view part = rest.substr(0, end);
    rest.remove_prefix(std::min(end + 1, rest.size()));
    return part;
}

Input Decode(const std::uint8_t* data, std::size_t size) {
    Input in;
    if (size < kHeader)
        return in;
    in.options = data[0];
    in.operation = data[1];
    in.step = static_cast<std::int32_t>(
        static_cast<std::uint32_t>(data[2]) | static_cast<std::uint32_t>(data[3]) << 8 |
        static_cast<std::uint32_t>(data[4]) << 16 | static_cast<std::uint32_t>(data[5]) << 24);
    in.start = data[6];
    // Limits below, at and beyond what a str255 holds, and "no limit".
    in.maxLen = static_cast<std::int32_t>(data[7]) + (in.Option(5) ? 200 : 0) - 1;
    std::string_view rest(reinterpret_cast<const char*>(data) + kHeader, size - kHeader);
    in.search = NextPart(rest);
    in.replacement = NextPart(rest);
    in.text = rest.substr(0, kEntityMax);
    return in;
}

// The limit the str255 form applies, which the string form is given explicitly.
std::int32_t EntityLimit(std::int32_t maxLen) {
    return maxLen <= 0 || maxLen > kEntityMax ? kEntityMax : maxLen;
}

void CheckSameText(const std::string& text, const str255& entity) {
    QX_FUZZ_CHECK(entity.view() == text);
}

void CheckReplace(const Input& in) {
    const auto caseSens = CaseSens{in.Option(0)};
    const auto wholeWords = WholeWords{in.Option(1)};
    const auto wholeEnts = WholeEnts{in.Option(2)};
    const auto testOnly = TestOnly{in.Option(3)};
    std::string text(in.text);
    str255 entity(in.text);
    bool textError = false;
    bool entityError = false;
    const std::int32_t textCount =
        ReplaceMatches(text, in.search, in.replacement, {caseSens, wholeWords, wholeEnts},
                       textError, testOnly, EntityLimit(in.maxLen));
    const std::int32_t entityCount =
        ReplaceMatches(entity, in.search, in.replacement, {caseSens, wholeWords, wholeEnts},
                       entityError, testOnly, in.maxLen);
    QX_FUZZ_CHECK(textCount == entityCount);
    QX_FUZZ_CHECK(textError == entityError);
    CheckSameText(text, entity);
    if (testOnly == TestOnly::Yes)
        QX_FUZZ_CHECK(text == in.text);
    if (textCount == 0)
        QX_FUZZ_CHECK(text == in.text);
}

void CheckCase(const Input& in, CaseConversion conversion) {
    const auto mapping = in.Option(4) ? CaseMapping::Full : CaseMapping::Ascii;
    const std::string converted = ConvertedCase(in.text, conversion, mapping);
    str255 entity(in.text);
    ConvertCase(std::span<char>(entity.text, entity.len), conversion, mapping);
    CheckSameText(converted, entity);
    QX_FUZZ_CHECK(ConversionChanges(in.text, conversion, mapping) == (converted != in.text));
    if (conversion == CaseConversion::Sentence)
        QX_FUZZ_CHECK(SentenceCase(in.text) == converted);
}

template <class StringForm, class EntityForm>
void CheckIncrement(const Input& in, StringForm stringForm, EntityForm entityForm) {
    std::string text(in.text);
    str255 entity(in.text);
    bool textError = false;
    bool entityError = false;
    const bool textFound = stringForm(text, textError, EntityLimit(in.maxLen));
    const bool entityFound = entityForm(entity, entityError, in.maxLen);
    QX_FUZZ_CHECK(textFound == entityFound);
    QX_FUZZ_CHECK(textError == entityError);
    CheckSameText(text, entity);
    if (!textFound)
        QX_FUZZ_CHECK(text == in.text);
}

// Each increment as a pair of calls that differ only in the form of the text.
template <class Text>
bool Increment(std::uint8_t which, Text& text, const Input& in, bool& lenError,
               std::int32_t maxLen) {
    switch (which) {
    case 0:
        return IncrementNumberFrom(text, in.step, lenError, in.start, maxLen);
    case 1:
        return IncrementSecondNumber(text, in.step, lenError, maxLen);
    case 2:
        return IncrementLastNumber(text, in.step, lenError, maxLen);
    case 3:
        return IncrementStartNumber(text, in.step, lenError, maxLen);
    default:
        return IncrementEndNumber(text, in.step, lenError, maxLen);
    }
}

void CheckNumberPatterns(std::string_view text) {
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    const auto firstDigit = std::ranges::find_if(text, isDigit);
    QX_FUZZ_CHECK(HasNumber(text) == (firstDigit != text.end()));
    const auto afterRun = std::find_if_not(firstDigit, text.end(), isDigit);
    const bool second = std::find_if(afterRun, text.end(), isDigit) != text.end();
    QX_FUZZ_CHECK(HasSecondNumber(text) == second);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Input in = Decode(data, size);
    CheckNumberPatterns(in.text);
    switch (in.operation % 9) {
    case 0:
        CheckReplace(in);
        break;
    case 1:
        CheckCase(in, CaseConversion::Upper);
        break;
    case 2:
        CheckCase(in, CaseConversion::Lower);
        break;
    case 3:
        CheckCase(in, CaseConversion::Sentence);
        break;
    default: {
        const auto which = static_cast<std::uint8_t>(in.operation % 9 - 4);
        CheckIncrement(
            in,
            [&](std::string& t, bool& e, std::int32_t m) { return Increment(which, t, in, e, m); },
            [&](str255& t, bool& e, std::int32_t m) { return Increment(which, t, in, e, m); });
        break;
    }
    }
    return 0;
}
