#include "text/case_conversion.h"

#include <gtest/gtest.h>

#include <string>

namespace qx::text {
namespace {

struct CaseRow {
    const char* name;
    std::string text;
    CaseConversion conversion;
    CaseMapping mapping;
    std::string expected;
};

constexpr auto Upper = CaseConversion::Upper;
constexpr auto Lower = CaseConversion::Lower;
constexpr auto Sentence = CaseConversion::Sentence;
constexpr auto Ascii = CaseMapping::Ascii;
constexpr auto Full = CaseMapping::Full;

const CaseRow kCaseRows[] = {
    {"SentenceLowersTheRest", "HELLO WORLD. THIS IS IT", Sentence, Ascii,
     "Hello world. This is it"},
    {"SentencePassesOverBrackets", "(note) see plan", Sentence, Ascii, "(Note) see plan"},
    {"SentenceCapitalisesAfterEveryStop", "e.g. the door", Sentence, Ascii, "E.G. The door"},
    {"SentenceStartEndsOnADigit", "1st floor. ok?", Sentence, Ascii, "1st floor. Ok?"},
    {"SentenceIgnoresQuestionMarks", "what? yes", Sentence, Ascii, "What? yes"},
    {"SentenceKeepsAccentedCapital",
     "\xC9"
     "COLE",
     Sentence, Ascii,
     "\xC9"
     "cole"},
    {"SentenceKeepsAccentedSmall",
     "\xE9"
     "cole",
     Sentence, Ascii,
     "\xE9"
     "cole"},
    {"SentenceMarkSurvivesSpacesAndBrackets", "end. ( (x) y", Sentence, Ascii, "End. ( (X) y"},
    {"SentenceQuoteEndsTheStart", "\"hi\". ok", Sentence, Ascii, "\"hi\". Ok"},
    {"SentenceSameUnderFullMapping",
     "\xC9"
     "T\xC9. \xE9t\xE9",
     Sentence, Full,
     "\xC9"
     "t\xC9. \xE9t\xE9"},
    {"SentenceEmpty", "", Sentence, Ascii, ""},
    {"AsciiUpperLeavesAccents", "caf\xE9", Upper, Ascii, "CAF\xE9"},
    {"AsciiLowerLeavesAccents", "CAF\xC9", Lower, Ascii, "caf\xC9"},
    {"FullUpperLatin1", "caf\xE9 \xE0\xF6\xFE", Upper, Full, "CAF\xC9 \xC0\xD6\xDE"},
    {"FullUpperCodePageExtras", "\x9A\x9C\x9E\xFF", Upper, Full, "\x8A\x8C\x8E\x9F"},
    {"FullLowerCodePageExtras", "\x8A\x8C\x8E\x9F\xC9", Lower, Full, "\x9A\x9C\x9E\xFF\xE9"},
    {"FullUpperKeepsLettersWithoutPartner", "\xDF\xB5\x83\xAA", Upper, Full, "\xDF\xB5\x83\xAA"},
    {"FullLeavesMultiplyAndDivide", "\xD7\xF7", Upper, Full, "\xD7\xF7"},
    {"FullLowerLeavesMultiply", "\xD7\xF7", Lower, Full, "\xD7\xF7"},
    {"EmptyStaysEmpty", "", Upper, Full, ""},
};

class CaseTable : public testing::TestWithParam<CaseRow> {};

TEST_P(CaseTable, Converts) {
    const auto& row = GetParam();
    const std::string converted = ConvertedCase(row.text, row.conversion, row.mapping);
    EXPECT_EQ(converted, row.expected);
    EXPECT_EQ(ConversionChanges(row.text, row.conversion, row.mapping), converted != row.text);
    if (row.conversion == Sentence) {
        EXPECT_EQ(SentenceCase(row.text), row.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Conversions, CaseTable, testing::ValuesIn(kCaseRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CaseConversion, InPlaceOnAnEntityBuffer) {
    char text[] = "Room a1. next";
    ConvertCase(std::span<char>(text, sizeof text - 1), Sentence, Ascii);
    EXPECT_STREQ(text, "Room a1. Next");
}

TEST(CaseConversion, ChangesOnlyWhenSomethingDiffers) {
    EXPECT_FALSE(ConversionChanges("ABC 1", Upper, Ascii));
    EXPECT_TRUE(ConversionChanges("ABc", Upper, Ascii));
    EXPECT_FALSE(ConversionChanges("\xE9", Upper, Ascii));
    EXPECT_TRUE(ConversionChanges("\xE9", Upper, Full));
    EXPECT_FALSE(ConversionChanges("stra\xDF"
                                   "e",
                                   Lower, Full));
    EXPECT_FALSE(ConversionChanges("Hello. World", Sentence, Ascii));
    EXPECT_TRUE(ConversionChanges("Hello. world", Sentence, Ascii));
}

} // namespace
} // namespace qx::text
