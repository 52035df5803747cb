// Profile-file text as users and other programs leave it: what reading finds, and that a write
// changes one line and reads back.
#include "platform/profile_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <vector>

namespace {

namespace profile = qx::platform::profile;

struct ReadCase {
    const char* name;
    std::string file;
    std::string section;
    std::string key;
    std::optional<std::string> value;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

class HandEditedFileReading : public testing::TestWithParam<ReadCase> {};

TEST_P(HandEditedFileReading, FindsTheValueReadingShouldGive) {
    const ReadCase& c = GetParam();
    EXPECT_EQ(profile::FindValue(c.file, c.section, c.key), c.value);
}

const std::string kStray = "[Quillex]\nUseForm=0\nbinary junk without a key\nRptChanges=1\n";

INSTANTIATE_TEST_SUITE_P(
    Files, HandEditedFileReading,
    testing::Values(
        ReadCase{"KeyBeforeStrayLine", kStray, "Quillex", "UseForm", "0"},
        ReadCase{"KeyAfterStrayLine", kStray, "Quillex", "RptChanges", "1"},
        ReadCase{"CommentIsNoKey", "[Q]\n; K=9\n# K=8\nK=1\n", "Q", "K", "1"},
        ReadCase{"OnlyACommentedKey", "[Q]\n;K=9\n", "Q", "K", std::nullopt},
        ReadCase{"SignatureSkipped", "\xEF\xBB\xBF[Q]\nK=1\n", "Q", "K", "1"},
        ReadCase{"CrLfNotInValue", "[Q]\r\nK=1\r\nL=2\r\n", "Q", "L", "2"},
        ReadCase{"LoneCrEndsALine", "[Q]\rK=1\rL=2", "Q", "L", "2"},
        ReadCase{"Windows1252Value", "[Q]\nS=caf\xE9 \x80 5\n", "Q", "S", "café € 5"},
        ReadCase{"Utf8AndWindows1252Mixed", "[Q]\nS=\xC3\xA9t\xE9\n", "Q", "S", "été"},
        ReadCase{"Windows1252SectionName", "[R\xE9glages]\nK=1\n", "Réglages", "K", "1"},
        ReadCase{"UndefinedWindows1252Byte", "[Q]\nS=a\x81z\n", "Q", "S", "a\xC2\x81z"},
        ReadCase{"DuplicateKeyFirstWins", "[Q]\nK=1\nK=2\n", "Q", "K", "1"},
        ReadCase{"DuplicateSectionFirstWins", "[Q]\nK=1\n[Q]\nK=2\n", "Q", "K", "1"},
        ReadCase{"SecondOfDuplicateSectionsUnseen", "[Q]\nK=1\n[Q]\nL=3\n", "Q", "L", std::nullopt},
        ReadCase{"NamesIgnoreCase", "[quillex]\nsearchstr=x\n", "QUILLEX", "SearchStr", "x"},
        ReadCase{"BlanksAroundNamesAndValue", "[ Q ]\n\t K \t=  v w \t\n", "Q", "K", "v w"},
        ReadCase{"QuotesDropped", "[Q]\nK=\" x \"\n", "Q", "K", " x "},
        ReadCase{"SingleQuotesDropped", "[Q]\nK='a'\n", "Q", "K", "a"},
        ReadCase{"UnmatchedQuotesKept", "[Q]\nK=\"a'\n", "Q", "K", "\"a'"},
        ReadCase{"EmptyValue", "[Q]\nK=\n", "Q", "K", ""},
        ReadCase{"EqualsInValue", "[Q]\nK=a=b\n", "Q", "K", "a=b"},
        ReadCase{"KeyBeforeAnySection", "K=1\n[Q]\n", "Q", "K", std::nullopt},
        ReadCase{"BrokenHeaderIsPassedOver", "[A]\nK=1\n[Q\nK=2\n", "A", "K", "1"},
        ReadCase{"KeyOfAnotherSection", "[A]\nK=1\n[B]\n", "B", "K", std::nullopt},
        ReadCase{"LastLineWithoutEnding", "[Q]\nK=1", "Q", "K", "1"},
        ReadCase{"BinaryBytesElsewhere", std::string("[Q]\nK=1\n\0\x01\x02\n", 13), "Q", "K", "1"},
        ReadCase{"NameOnlyBeforeEqualsIsNoKey", "[Q]\n=5\n", "Q", "", std::nullopt},
        ReadCase{"TextAfterHeader", "[Q] trailing words\nK=1\n", "Q", "K", "1"}),
    [](const auto& info) { return std::string(info.param.name); });

struct WriteCase {
    const char* name;
    std::string before;
    std::string section;
    std::string key;
    std::string value;
    std::string after;
};

void PrintTo(const WriteCase& c, std::ostream* os) {
    *os << c.name;
}

bool SameName(std::string_view a, std::string_view b) {
    const auto fold = [](unsigned char c) { return std::toupper(c); };
    return std::ranges::equal(a, b, {}, fold, fold);
}

class HandEditedFileWriting : public testing::TestWithParam<WriteCase> {};

TEST_P(HandEditedFileWriting, ChangesOneLineAndReadsBack) {
    const WriteCase& c = GetParam();
    const auto written = profile::WithValue(c.before, c.section, c.key, c.value);
    ASSERT_TRUE(written);
    EXPECT_EQ(*written, c.after);
    EXPECT_EQ(profile::FindValue(*written, c.section, c.key), c.value);
    // Every other key still reads as it did.
    for (const auto& [section, key] : profile::ListKeys(c.before)) {
        if (SameName(section, c.section) && SameName(key, c.key))
            continue;
        EXPECT_EQ(profile::FindValue(*written, section, key),
                  profile::FindValue(c.before, section, key))
            << section << "/" << key;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, HandEditedFileWriting,
    testing::Values(
        WriteCase{"StrayLinesAndCommentsStay", "; head\n[Q]\nstray\nK=1\nL=2\n", "Q", "K", "9",
                  "; head\n[Q]\nstray\nK=9\nL=2\n"},
        WriteCase{"SpacingAroundEqualsStays", "[Q]\nK = 1 \n", "Q", "K", "2", "[Q]\nK = 2\n"},
        WriteCase{"CrLfKept", "[Q]\r\nK=1\r\n", "Q", "L", "v", "[Q]\r\nK=1\r\nL=v\r\n"},
        WriteCase{"LoneCrKept", "[Q]\rK=1\r", "Q", "L", "2", "[Q]\rK=1\rL=2\r"},
        WriteCase{"NewKeyTakesTheEndingOfItsLine", "; c\r[Q]\n\n", "Q", "K", "v",
                  "; c\r[Q]\nK=v\n\n"},
        WriteCase{"NewKeyAfterLastKeyOfSection", "[Q]\nK=1\nstray\n\n; next\n[R]\n", "Q", "L", "2",
                  "[Q]\nK=1\nL=2\nstray\n\n; next\n[R]\n"},
        WriteCase{"NewSectionAtEnd", "[Q]\nK=1", "R", "X", "y", "[Q]\nK=1\n[R]\nX=y\n"},
        WriteCase{"HeaderAtEndWithoutEnding", "[Q]", "Q", "K", "v", "[Q]\nK=v\n"},
        WriteCase{"SignatureKept", "\xEF\xBB\xBF[Q]\nK=1\n", "Q", "K", "2",
                  "\xEF\xBB\xBF[Q]\nK=2\n"},
        WriteCase{"SignatureOnly", "\xEF\xBB\xBF", "Q", "K", "v", "\xEF\xBB\xBF[Q]\nK=v\n"},
        WriteCase{"EmptyFile", "", "Q", "K", "v", "[Q]\nK=v\n"},
        WriteCase{"Windows1252BytesStay", "[Q]\nS=caf\xE9\nK=1\n", "Q", "K", "é",
                  "[Q]\nS=caf\xE9\nK=é\n"},
        WriteCase{"DuplicateKeyFirstChanged", "[Q]\nK=1\nK=2\n", "Q", "K", "3", "[Q]\nK=3\nK=2\n"},
        WriteCase{"DuplicateSectionFirstChanged", "[Q]\nA=1\n[Q]\nK=2\n", "Q", "K", "3",
                  "[Q]\nA=1\nK=3\n[Q]\nK=2\n"},
        WriteCase{"NameCaseOfTheFileKept", "[quillex]\nsearchstr=a\n", "Quillex", "SearchStr", "b",
                  "[quillex]\nsearchstr=b\n"},
        WriteCase{"BlanksAroundValueQuoted", "[Q]\n", "Q", "K", " x\t", "[Q]\nK=\" x\t\"\n"},
        WriteCase{"QuotedValueQuotedAgain", "[Q]\n", "Q", "K", "'a'", "[Q]\nK=\"'a'\"\n"},
        WriteCase{"LoneQuoteAsItIs", "[Q]\n", "Q", "K", "\"", "[Q]\nK=\"\n"},
        // Found by fuzzing: a key made of a tab and the signature's bytes ahead of any section.
        WriteCase{"SignatureBytesInsideALine", "\t\xEF\xBB\xBF=d", "S", "K", "v",
                  "\t\xEF\xBB\xBF=d\n[S]\nK=v\n"},
        WriteCase{"SignatureBytesAsKeyName", "[S]\n", "S", "\xEF\xBB\xBF", "d",
                  "[S]\n\xEF\xBB\xBF=d\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProfileText, NamesAndValuesThatWouldNotReadBackAreRefused) {
    const std::string file = "[S]\nK=1\n";
    using Texts = std::vector<std::string>;
    for (const std::string& section :
         Texts{"", "S]", " S", "S\t", ";S", "#S", "[S", "S\nT", std::string("S\0", 2), "\xFF"})
        EXPECT_FALSE(profile::WithValue(file, section, "K", "v")) << section;
    for (const std::string& key : Texts{"", "K=J", " K", "K ", ";K", "#K", "[K", "K\r", "\xC3"})
        EXPECT_FALSE(profile::WithValue(file, "S", key, "v")) << key;
    for (const std::string& value :
         Texts{"a\nb", "a\rb", std::string("a\0b", 3), "\xE9", "\xED\xA0\x80"})
        EXPECT_FALSE(profile::WithValue(file, "S", "K", value)) << value;
}

TEST(ProfileText, ListsEachReadableKeyOnce) {
    const std::string file = "G=0\n[A]\nK=1\nk=2\nstray\n[B]\nL=3\n[a]\nM=4\n";
    const std::vector<std::pair<std::string, std::string>> expected = {{"A", "K"}, {"B", "L"}};
    EXPECT_EQ(profile::ListKeys(file), expected);
}

} // namespace
