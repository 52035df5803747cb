#include "cadhost/scenario/script.h"

#include <gtest/gtest.h>

namespace {

using cadhost::scenario::ParseScript;
using cadhost::scenario::Script;

Script Parsed(std::string_view text) {
    auto result = ParseScript(text, "/base");
    if (auto* error = std::get_if<std::string>(&result))
        ADD_FAILURE() << *error;
    return std::get<Script>(std::move(result));
}

std::string Error(std::string_view text) {
    auto result = ParseScript(text, "");
    auto* error = std::get_if<std::string>(&result);
    return error ? *error : std::string("(parsed)");
}

TEST(ScriptReader, WordsQuotesEscapesAndComments) {
    const Script s = Parsed("key F9  # a comment\n"
                            "text \"two words\" \"\" \"a \\\"quote\\\" \\\\ and\\nline\"\n"
                            "\n   # only a comment\n"
                            "text \"# not a comment\"\r\n");
    ASSERT_EQ(s.steps.size(), 3u);
    EXPECT_EQ(s.steps[0].words, (std::vector<std::string>{"key", "F9"}));
    EXPECT_EQ(s.steps[0].line, 1);
    EXPECT_EQ(s.steps[1].words,
              (std::vector<std::string>{"text", "two words", "", "a \"quote\" \\ and\nline"}));
    EXPECT_EQ(s.steps[2].words[1], "# not a comment");
    EXPECT_EQ(s.steps[2].line, 5);
    EXPECT_EQ(s.baseDir, "/base");
}

TEST(ScriptReader, HexEscapesWriteRawBytes) {
    const Script s = Parsed("file macro Quillex.ini \"[Quillex]\\nSearchStr=T\\xfcr\\x00\\x7E\"\n");
    ASSERT_EQ(s.steps.size(), 1u);
    EXPECT_EQ(s.steps[0].words[3], std::string("[Quillex]\nSearchStr=T\xfcr\0~", 25));
    EXPECT_EQ(Error("text \"a\\x4\""), "line 1: \\x needs two hex digits");
    EXPECT_EQ(Error("text \"a\\xg0\""), "line 1: \\x needs two hex digits");
}

TEST(ScriptReader, TildeMarksAPartOfATextToLookFor) {
    const Script s = Parsed("box ok error ~\"MANUAL WAS NOT\" \"~whole\" ~bare\n");
    const auto& step = s.steps[0];
    EXPECT_EQ(step.words, (std::vector<std::string>{"box", "ok", "error", "MANUAL WAS NOT",
                                                    "~whole", "~bare"}));
    EXPECT_TRUE(step.IsPartial(3));
    EXPECT_FALSE(step.IsPartial(4)) << "a quoted text that starts with ~ is a whole text";
    EXPECT_FALSE(step.IsPartial(5));
    EXPECT_TRUE(step.Matches(3, "THE MANUAL WAS NOT FOUND"));
    EXPECT_FALSE(step.Matches(3, "MANUAL WAS FOUND"));
    EXPECT_TRUE(step.Matches(4, "~whole"));
    EXPECT_FALSE(step.Matches(4, "a ~whole text"));
    EXPECT_EQ(step.Describe(), "box ok error ~\"MANUAL WAS NOT\" ~whole ~bare");
}

TEST(ScriptReader, DescribeQuotesWhatNeedsIt) {
    const Script s = Parsed("text \"a b\" plain \"\" \"x\\\"y\"\n");
    EXPECT_EQ(s.steps[0].Describe(), "text \"a b\" plain \"\" \"x\\\"y\"");
}

TEST(ScriptReader, DialogBlocksHoldTheirActions) {
    const Script s =
        Parsed("key F9\ndialog fmReplaceText\n  type eOldText door\n  click btnOK\nend\n"
               "expect ended\n");
    ASSERT_EQ(s.steps.size(), 3u);
    EXPECT_EQ(s.steps[1].verb(), "dialog");
    ASSERT_EQ(s.steps[1].block.size(), 2u);
    EXPECT_EQ(s.steps[1].block[1].words, (std::vector<std::string>{"click", "btnOK"}));
    EXPECT_EQ(s.steps[2].verb(), "expect");
}

TEST(ScriptReader, FaultsNameTheirLine) {
    EXPECT_EQ(Error("key F1\ntext \"open"), "line 2: a quoted text is not closed");
    EXPECT_EQ(Error("end"), "line 1: end without dialog or window");
    EXPECT_EQ(Error("dialog a\nwindow b\nend"), "line 2: a block is already open");
    EXPECT_EQ(Error("\nwindow a\nclick x"), "line 2: window block without end");
    EXPECT_EQ(Error("dialog"), "line 1: dialog needs the window's name");
}

TEST(ScriptReader, AScenarioWithoutStepsIsRefused) {
    for (const std::string_view text : {"", "\n\n", "# only a comment\n   \n# another\n"}) {
        EXPECT_EQ(Error(text), "the scenario holds no steps") << text;
    }
}

} // namespace
