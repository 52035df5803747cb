#include "text/number_patterns.h"

#include <gtest/gtest.h>

#include <string>

namespace qx::text {
namespace {

struct PatternRow {
    const char* name;
    std::string text;
    bool hasNumber;
    bool hasSecondNumber;
};

const PatternRow kRows[] = {
    {"TwoWords", "A1 B2", true, true},
    {"DashSeparated", "12-3", true, true},
    {"OneRun", "A12", true, false},
    {"NoDigit", "AB", false, false},
    {"Empty", "", false, false},
    {"DigitsOnly", "0123456789", true, false},
    {"TrailingGap", "12 ", true, false},
    {"LeadingGap", " 1 2", true, true},
    {"AccentedSeparator",
     "1\xE9"
     "2",
     true, true},
    {"SuperscriptIsNoDigit", "1\xB2", true, false},
    {"NulInsideText",
     std::string("1\0"
                 "2",
                 3),
     true, true},
};

class NumberPatterns : public testing::TestWithParam<PatternRow> {};

TEST_P(NumberPatterns, Answer) {
    const auto& row = GetParam();
    EXPECT_EQ(HasNumber(row.text), row.hasNumber);
    EXPECT_EQ(HasSecondNumber(row.text), row.hasSecondNumber);
}

INSTANTIATE_TEST_SUITE_P(Texts, NumberPatterns, testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(NumberPatterns, LongTextsAnswerCorrectly) {
    // Long runs make the second pattern backtrack from every start; the answer must still hold.
    const std::string digits(20000, '7');
    EXPECT_TRUE(HasNumber(digits));
    EXPECT_FALSE(HasSecondNumber(digits));
    EXPECT_TRUE(HasSecondNumber(digits + " 1"));
}

} // namespace
} // namespace qx::text
