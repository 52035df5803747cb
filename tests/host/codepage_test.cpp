// Conversions between the host's Windows-1252 texts and UTF-8 at the program's edges.
#include "host/codepage.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using qx::host::Cp1252ToUtf8;
using qx::host::Utf8ToCp1252;
using qx::host::Utf8ToCp1252Lossy;

TEST(Codepage, EveryByteRoundTrips) {
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const auto back = Utf8ToCp1252(Cp1252ToUtf8(byte));
        ASSERT_TRUE(back.has_value()) << b;
        EXPECT_EQ(*back, byte) << b;
    }
}

TEST(Codepage, TheEuroAndItsNeighboursMapToTheirBytes) {
    EXPECT_EQ(Utf8ToCp1252("\xE2\x82\xAC"), std::string("\x80"));
    EXPECT_EQ(Utf8ToCp1252("\xC3\xA9"), std::string("\xE9"));
    EXPECT_EQ(Utf8ToCp1252("\xC5\xA0"), std::string("\x8A"));
}

struct Malformed {
    const char* name;
    std::string utf8;
};

// None of these is a character: each is refused, and the lossy form never lets one through as
// the byte it imitates.
class CodepageMalformed : public testing::TestWithParam<Malformed> {};

TEST_P(CodepageMalformed, IsRefused) {
    EXPECT_FALSE(Utf8ToCp1252(GetParam().utf8).has_value());
    const std::string lossy = Utf8ToCp1252Lossy(GetParam().utf8);
    EXPECT_EQ(lossy.find('\0'), std::string::npos);
    EXPECT_EQ(lossy.find('A'), std::string::npos);
    EXPECT_EQ(lossy.find('/'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Forms, CodepageMalformed,
                         testing::Values(Malformed{"overlong_nul", std::string("\xC0\x80", 2)},
                                         Malformed{"overlong_A", "\xC1\x81"},
                                         Malformed{"overlong_slash_3", "\xE0\x80\xAF"},
                                         Malformed{"overlong_slash_4", "\xF0\x80\x80\xAF"},
                                         Malformed{"surrogate", "\xED\xA0\x80"},
                                         Malformed{"past_unicode", "\xF4\x90\x80\x80"},
                                         Malformed{"lone_continuation", "\x80"},
                                         Malformed{"truncated", "\xE2\x82"}),
                         [](const testing::TestParamInfo<Malformed>& info) {
                             return std::string(info.param.name);
                         });

TEST(Codepage, CharactersOutsideTheCodePageAreRefusedOrReplaced) {
    EXPECT_FALSE(Utf8ToCp1252("\xE6\x97\xA5").has_value());
    EXPECT_EQ(Utf8ToCp1252Lossy("a\xE6\x97\xA5z"), "a?z");
}

} // namespace
