// What the increment field's text reads as, and stepping at the ends of the range.
#include "dialogs/whole_number_spin_field.h"

#include <gtest/gtest.h>

#include <limits>

namespace qx::test {
namespace {

struct Reading {
    const char* text;
    std::int32_t value;
};

class ReadWholeNumberTest : public ::testing::TestWithParam<Reading> {};

TEST_P(ReadWholeNumberTest, ReadsTheTextOrZero) {
    EXPECT_EQ(ReadWholeNumber(QString::fromUtf8(GetParam().text)), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadWholeNumberTest,
    ::testing::Values(Reading{"", 0}, Reading{"-", 0}, Reading{"+", 0}, Reading{"0", 0},
                      Reading{"17", 17}, Reading{"+17", 17}, Reading{"-17", -17}, Reading{"007", 7},
                      Reading{"1.5", 0}, Reading{"1,5", 0}, Reading{"--1", 0}, Reading{"1-", 0},
                      Reading{" 1", 0}, Reading{"2147483647", 2147483647},
                      Reading{"-2147483648", std::numeric_limits<std::int32_t>::min()},
                      Reading{"2147483648", 0}, Reading{"99999999999999999999", 0},
                      Reading{"\xD9\xA3", 0}));

TEST(WholeNumberSpinFieldTest, SteppingStopsAtTheEndsOfTheRange) {
    WholeNumberSpinField field;
    field.setValue(std::numeric_limits<std::int32_t>::max() - 1);
    field.stepBy(5);
    EXPECT_EQ(field.value(), std::numeric_limits<std::int32_t>::max());
    field.setValue(std::numeric_limits<std::int32_t>::min() + 1);
    field.stepBy(-5);
    EXPECT_EQ(field.value(), std::numeric_limits<std::int32_t>::min());
    field.setValue(5);
    field.stepBy(-1);
    EXPECT_EQ(field.text(), "4");
}

} // namespace
} // namespace qx::test
