#include "text/number_increment.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace qx::text {
namespace {

enum class Which { First, Second, Last, Start, End };

bool Increment(Which which, std::string& text, std::int32_t step, bool& lenError,
               std::int32_t maxLen) {
    switch (which) {
    case Which::First:
        return IncrementNumberFrom(text, step, lenError, 1, maxLen);
    case Which::Second:
        return IncrementSecondNumber(text, step, lenError, maxLen);
    case Which::Last:
        return IncrementLastNumber(text, step, lenError, maxLen);
    case Which::Start:
        return IncrementStartNumber(text, step, lenError, maxLen);
    case Which::End:
        return IncrementEndNumber(text, step, lenError, maxLen);
    }
    return false;
}

constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
constexpr auto kMin = std::numeric_limits<std::int32_t>::min();

struct IncrementRow {
    const char* name;
    Which which;
    std::string text;
    std::int32_t step;
    bool found;
    std::string expected;
    bool lenError = false;
};

const IncrementRow kRows[] = {
    {"DigitInLastPosition", Which::First, "Rev 9", 1, true, "Rev 10"},
    {"ZeroFillKeepsWidth", Which::First, "A-009", 1, true, "A-010"},
    {"ZeroFillCarries", Which::First, "A-099", 1, true, "A-100"},
    {"WiderResultStaysWhole", Which::First, "A-999", 1, true, "A-1000"},
    {"NoFillWithoutLeadingZero", Which::First, "A-10", -1, true, "A-9"},
    {"FillWithLeadingZero", Which::First, "A-010", -1, true, "A-009"},
    {"MinusIsNotPartOfTheNumber", Which::First, "-5", 1, true, "-6"},
    {"DecimalPointSeparatesNumbers", Which::First, "1.5", 1, true, "2.5"},
    {"SecondOfDecimal", Which::Second, "1.5", 1, true, "1.6"},
    {"FirstOfTwo", Which::First, "Room 12 Seat 5", 1, true, "Room 13 Seat 5"},
    {"SecondOfTwo", Which::Second, "Room 12 Seat 5", 1, true, "Room 12 Seat 6"},
    {"LastOfTwo", Which::Last, "Room 12 Seat 5", 1, true, "Room 12 Seat 6"},
    {"LastRunBeginsText", Which::Last, "42", 1, true, "43"},
    {"LastOfThree", Which::Last, "1 2 3x", 5, true, "1 2 8x"},
    {"NoSecondNumber", Which::Second, "Room 12", 1, false, "Room 12"},
    {"NoSecondAfterTrailingText", Which::Second, "12a", 1, false, "12a"},
    {"NumberAtStart", Which::Start, "12 Room", 1, true, "13 Room"},
    {"NoNumberAtStart", Which::Start, "Room 12", 1, false, "Room 12"},
    {"NumberAtEnd", Which::End, "Sheet 7", 1, true, "Sheet 8"},
    {"NoNumberAtEnd", Which::End, "Sheet 7a", 1, false, "Sheet 7a"},
    {"NoDigit", Which::First, "Rev", 1, false, "Rev"},
    {"EmptyFirst", Which::First, "", 1, false, ""},
    {"EmptySecond", Which::Second, "", 1, false, ""},
    {"EmptyLast", Which::Last, "", 1, false, ""},
    {"EmptyStart", Which::Start, "", 1, false, ""},
    {"EmptyEnd", Which::End, "", 1, false, ""},
    {"TenDigitsBelowMaximum", Which::First, "2147483645", 1, true, "2147483646"},
    {"TenDigitsReachingMaximumIsKept", Which::First, "2147483646", 1, true, "2147483646"},
    {"TenDigitsNegativeStepIsKept", Which::First, "1000000000", -1, true, "1000000000"},
    {"TenDigitsWithLeadingZeros", Which::First, "0000000009", 1, true, "0000000010"},
    {"ElevenDigitsAreKept", Which::First, "n 12345678901", 1, true, "n 12345678901"},
    {"HugeStepDoesNotOverflow", Which::First, "N 5", kMax, true, "N 5"},
    {"HugeNegativeStepWithinRange", Which::First, "999999999", kMin, true, "-1147483649"},
    {"LargestSumIsWritten", Which::First, "x 0", kMax, true, "x 2147483647"},
    {"SmallestSumIsWritten", Which::First, "x 0", kMin, true, "x -2147483648"},
    {"NegativeResultWithoutFill", Which::First, "A 5", -10, true, "A -5"},
    {"NegativeResultFilledAfterSign", Which::First, "A 007", -10, true, "A -03"},
    {"NegativeResultAsWideAsRun", Which::First, "05", -10, true, "-5"},
    {"NegativeResultWiderThanRun", Which::First, "0", -3, true, "-3"},
};

class IncrementTable : public testing::TestWithParam<IncrementRow> {};

TEST_P(IncrementTable, StringForm) {
    const auto& row = GetParam();
    std::string text = row.text;
    bool lenError = false;
    EXPECT_EQ(Increment(row.which, text, row.step, lenError, 255), row.found);
    EXPECT_EQ(text, row.expected);
    EXPECT_EQ(lenError, row.lenError);
}

INSTANTIATE_TEST_SUITE_P(Rules, IncrementTable, testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(IncrementNumberFrom, StartPosition) {
    struct Row {
        std::int32_t start;
        bool found;
        const char* expected;
    };
    for (const Row& row : {Row{1, true, "A2 B2"}, Row{2, true, "A2 B2"}, Row{3, true, "A1 B3"},
                           Row{5, true, "A1 B3"}, Row{6, false, "A1 B2"}, Row{0, true, "A2 B2"},
                           Row{-7, true, "A2 B2"}, Row{kMax, false, "A1 B2"}}) {
        std::string text = "A1 B2";
        bool lenError = false;
        EXPECT_EQ(IncrementNumberFrom(text, 1, lenError, row.start, 0), row.found) << row.start;
        EXPECT_EQ(text, row.expected) << row.start;
    }
}

TEST(IncrementLimit, TooLongResultIsRefused) {
    const std::string full = std::string(254, 'a') + "9";
    for (const Which which : {Which::First, Which::Last, Which::End}) {
        std::string text = full;
        bool lenError = false;
        EXPECT_TRUE(Increment(which, text, 1, lenError, 255));
        EXPECT_EQ(text, full);
        EXPECT_TRUE(lenError);
    }
}

TEST(IncrementLimit, LenErrorIsNeverCleared) {
    std::string text = "Rev 1";
    bool lenError = true;
    EXPECT_TRUE(IncrementNumberFrom(text, 1, lenError, 1, 255));
    EXPECT_EQ(text, "Rev 2");
    EXPECT_TRUE(lenError);
}

TEST(IncrementLimit, EntityFormLimitsTo255) {
    const std::string fits = std::string(253, 'a') + "9";
    const std::string full = std::string(254, 'a') + "9";
    for (const std::int32_t maxLen : {0, -1, 255, 4000}) {
        host::str255 grows(fits);
        bool lenError = false;
        EXPECT_TRUE(IncrementEndNumber(grows, 1, lenError, maxLen));
        EXPECT_EQ(grows.len, 255);
        EXPECT_FALSE(lenError);
        EXPECT_EQ(grows.view().substr(253), "10");

        host::str255 entity(full);
        EXPECT_TRUE(IncrementLastNumber(entity, 1, lenError, maxLen));
        EXPECT_EQ(entity.view(), full);
        EXPECT_TRUE(lenError);
    }
}

TEST(IncrementLimit, EntityFormHonoursASmallerLimit) {
    host::str255 text("Rev 9");
    bool lenError = false;
    EXPECT_FALSE(IncrementSecondNumber(text, 1, lenError, 5));
    EXPECT_FALSE(IncrementStartNumber(text, 1, lenError, 5));
    EXPECT_TRUE(IncrementNumberFrom(text, 1, lenError, 1, 5));
    EXPECT_EQ(text.view(), "Rev 9");
    EXPECT_TRUE(lenError);
}

} // namespace
} // namespace qx::text
