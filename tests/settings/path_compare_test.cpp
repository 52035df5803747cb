// Folder paths compared as the desktop's file system compares them.
#include "settings/path_compare.h"

#include <gtest/gtest.h>

#include <string_view>

namespace qx::settings {
namespace {

struct PathPair {
    const char* name;
    std::string_view a;
    std::string_view b;
    bool same;
};

class SamePathTest : public ::testing::TestWithParam<PathPair> {};

TEST_P(SamePathTest, FoldsLettersOnly) {
    const PathPair& row = GetParam();
    EXPECT_EQ(SamePathIgnoringCase(row.a, row.b), row.same);
    EXPECT_EQ(SamePathIgnoringCase(row.b, row.a), row.same) << "the answer is symmetric";
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SamePathTest,
    ::testing::Values(PathPair{"Ascii", "C:\\Macros\\Quillex", "c:\\MACROS\\quillex", true},
                      PathPair{"DifferentLetter", "C:\\Macros\\A", "C:\\Macros\\B", false},
                      PathPair{"Prefix", "C:\\Macros", "C:\\Macros\\", false},
                      PathPair{"Empty", "", "", true},
                      PathPair{"Latin1", "/h\xC3\xA9l\xC3\xA8ne", "/H\xC3\x89L\xC3\x88NE", true},
                      PathPair{"TimesIsNoLetter", "\xC3\x97", "\xC3\xB7", false},
                      PathPair{"LatinExtended",
                               "\xC5\xA0koda \xC5\x81\xC3\xB3"
                               "d\xC5\xBA",
                               "\xC5\xA1KODA \xC5\x82\xC3\x93"
                               "D\xC5\xB9",
                               true},
                      PathPair{"YDiaeresis", "\xC5\xB8", "\xC3\xBF", true},
                      PathPair{"Cyrillic", "\xD0\x9F\xD0\x81", "\xD0\xBF\xD1\x91", true},
                      PathPair{"Greek", "\xCE\xA3", "\xCF\x83", true},
                      PathPair{"SharpSIsItself",
                               "stra\xC3\x9F"
                               "e",
                               "STRASSE", false},
                      PathPair{"BrokenUtf8Equal", "a\xFF", "A\xFF", true},
                      PathPair{"BrokenUtf8NeverEqualsAText", "\xC3", "\xC3\xA3", false},
                      PathPair{"CutSequence", "a\xC3", "a", false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace qx::settings
