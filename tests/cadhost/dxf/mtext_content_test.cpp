// The words of an MTEXT, as a user reads them in the drawing. The expected paragraphs are the
// ones ezdxf's plain-text reading gives for the same content.
#include "cadhost/formats/dxf/mtext_content.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace cadhost::dxf {
namespace {

struct Case {
    const char* name;
    std::string content;
    std::vector<std::string> paragraphs;
};

class MTextParagraphsCases : public ::testing::TestWithParam<Case> {};

TEST_P(MTextParagraphsCases, RemovesFormattingAndSplitsParagraphs) {
    EXPECT_EQ(MTextParagraphs(GetParam().content), GetParam().paragraphs);
}

INSTANTIATE_TEST_SUITE_P(
    Contents, MTextParagraphsCases,
    ::testing::Values(
        Case{"FontInBraces", R"(Line one\Psecond {\fArial|b1;door})", {"Line one", "second door"}},
        Case{"Stacking", R"(a\S1^ 2;b)", {"a1^2b"}},
        Case{"StackingDividers", R"(\S1/2;\S3#4;)", {"1/23#4"}},
        Case{"Alignment", "\\A1;Room\\PArea 12 m\xC2\xB2", {"Room", "Area 12 m\xC2\xB2"}},
        Case{"ColourHeightNbsp", R"({\C1;red} {\H2.5x;big}\~x)", {"red big x"}},
        Case{"CaretTab", "tab^Iend", {"tab    end"}},
        Case{"CaretLineFeed", "one^Jtwo", {"one", "two"}},
        Case{"EscapedSpecials", R"(\\ \{ \})", {"\\ { }"}},
        Case{"PercentCodes", "%%d %%p %%c %%x", {"\xC2\xB0 \xC2\xB1 \xC3\x98 %%x"}},
        Case{"UnknownCodeKept", R"(\Zunknown)", {"\\Zunknown"}},
        Case{"ParagraphProperties",
             R"(\pxi-3,l4t4;1.^Ifirst\P2.^Isecond)",
             {"1.    first", "2.    second"}},
        Case{"LastEmptyParagraphDropped", R"(end\P)", {"end"}},
        Case{"EmptyParagraphsKept", R"(\P\Pthird)", {"", "", "third"}},
        Case{"ColumnBreak", R"(col\Nnext)", {"col", "next"}},
        Case{"Strokes", R"(\L under\l \O over\o \K strike\k)", {" under  over  strike"}},
        Case{"WidthTrackingOblique",
             R"(\W0.8;narrow\T1.1;track\Q15;oblique)",
             {"narrowtrackoblique"}},
        Case{"Empty", "", {}}, Case{"TrailingBackslash", "trail\\\\", {"trail\\"}},
        Case{"BadNumberDrawnAsText", R"(\H.5x;x)", {".5x;x"}},
        Case{"UnicodeEscapes", R"(\U+0041\U+00e4)", {"A\xC3\xA4"}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace cadhost::dxf
