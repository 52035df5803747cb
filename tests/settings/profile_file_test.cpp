// Profile files: what is read, what a write keeps, and that damaged files are never rewritten.
#include "platform/platform.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace {

using qx::platform::ReadProfileString;
using qx::platform::WriteProfileString;
using qx::test::ReadFile;
using qx::test::TempDir;
using qx::test::WriteFile;

TEST(ProfileFile, MissingFileSectionOrKeyReadsAsNothing) {
    TempDir dir;
    const std::string file = dir.File("a.ini");
    EXPECT_FALSE(ReadProfileString(file, "Quillex", "Key"));
    WriteFile(file, "[Quillex]\nKey=1\n");
    EXPECT_FALSE(ReadProfileString(file, "Other", "Key"));
    EXPECT_FALSE(ReadProfileString(file, "Quillex", "Missing"));
    EXPECT_EQ(ReadProfileString(file, "Quillex", "Key"), "1");
}

TEST(ProfileFile, WriteCreatesFileSectionAndKey) {
    TempDir dir;
    const std::string file = dir.File("new.ini");
    ASSERT_TRUE(WriteProfileString(file, "Quillex", "SearchStr", "Grüße €"));
    EXPECT_EQ(ReadProfileString(file, "Quillex", "SearchStr"), "Grüße €");
    // The file is UTF-8 text in the profile API's form, without spaces around the '='.
    EXPECT_NE(ReadFile(file).find("[Quillex]\nSearchStr=Grüße €"), std::string::npos);
}

TEST(ProfileFile, WriteKeepsOtherSectionsKeysAndComments) {
    TempDir dir;
    const std::string file = dir.File("keep.ini");
    WriteFile(file, "; file comment\n\n[First]\n; about A\nA=1\nB=two\n\n[Quillex]\nOld=x\n");
    ASSERT_TRUE(WriteProfileString(file, "Quillex", "Old", "y"));
    ASSERT_TRUE(WriteProfileString(file, "Quillex", "New", "z"));
    ASSERT_TRUE(WriteProfileString(file, "Third", "C", "3"));
    EXPECT_EQ(ReadProfileString(file, "First", "A"), "1");
    EXPECT_EQ(ReadProfileString(file, "First", "B"), "two");
    EXPECT_EQ(ReadProfileString(file, "Quillex", "Old"), "y");
    EXPECT_EQ(ReadProfileString(file, "Quillex", "New"), "z");
    EXPECT_EQ(ReadProfileString(file, "Third", "C"), "3");
    const std::string text = ReadFile(file);
    EXPECT_NE(text.find("; file comment"), std::string::npos);
    EXPECT_NE(text.find("; about A"), std::string::npos);
}

TEST(ProfileFile, SectionAndKeyNamesIgnoreLetterCase) {
    TempDir dir;
    const std::string file = dir.File("case.ini");
    WriteFile(file, "[Quillex]\nSearchStr=old\n");
    ASSERT_TRUE(WriteProfileString(file, "QUILLEX", "searchstr", "new"));
    EXPECT_EQ(ReadProfileString(file, "quillex", "SEARCHSTR"), "new");
    const std::string text = ReadFile(file);
    // One key, under its original spelling, not a second one.
    EXPECT_EQ(text.find("searchstr"), std::string::npos);
    EXPECT_EQ(text.find("SearchStr"), text.rfind("SearchStr"));
}

TEST(ProfileFile, WriteLeavesNoTemporaryFileBehind) {
    TempDir dir;
    ASSERT_TRUE(WriteProfileString(dir.File("one.ini"), "S", "K", "V"));
    ASSERT_TRUE(WriteProfileString(dir.File("one.ini"), "S", "K", "W"));
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        ++entries;
    EXPECT_EQ(entries, 1);
}

// Files that are not INI text read as empty and are never rewritten.
class DamagedProfileFile : public testing::TestWithParam<std::string> {};

TEST_P(DamagedProfileFile, ReadsAsNothingAndIsNotOverwritten) {
    TempDir dir;
    const std::string file = dir.File("damaged.ini");
    WriteFile(file, GetParam());
    EXPECT_FALSE(ReadProfileString(file, "Quillex", "Key"));
    EXPECT_FALSE(WriteProfileString(file, "Quillex", "Key", "2"));
    EXPECT_EQ(ReadFile(file), GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Contents, DamagedProfileFile,
    testing::Values(std::string("[Quillex]\nKey=1\n\0\x01\x02", 19),        // binary bytes
                    std::string("[Quillex]\nKey=\xff\xfe\n"),               // not UTF-8
                    std::string("[Quillex]\nKey=1\nthis line is no key\n"), // would be dropped
                    std::string("[Quillex\nKey=1\n")));                     // broken header

TEST(ProfileFile, AFolderInPlaceOfTheFileIsNeitherReadNorWritten) {
    TempDir dir;
    const std::string file = dir.Folder("is-a-folder.ini");
    EXPECT_FALSE(ReadProfileString(file, "S", "K"));
    EXPECT_FALSE(WriteProfileString(file, "S", "K", "V"));
    EXPECT_TRUE(std::filesystem::is_directory(file));
}

TEST(ProfileFile, ReadOnlyFileIsNotReplaced) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "file rights do not bind the super-user";
    TempDir dir;
    const std::string file = dir.File("ro.ini");
    WriteFile(file, "[S]\nK=1\n");
    std::filesystem::permissions(file, std::filesystem::perms::owner_read);
    EXPECT_FALSE(WriteProfileString(file, "S", "K", "2"));
    EXPECT_EQ(ReadProfileString(file, "S", "K"), "1");
}

TEST(ProfileFile, NamesAndValuesThatWouldBreakTheFileAreRefused) {
    TempDir dir;
    const std::string file = dir.File("inject.ini");
    WriteFile(file, "[S]\nK=1\n");
    EXPECT_FALSE(WriteProfileString(file, "S", "K", "a\r\n[Evil]\nX=1"));
    EXPECT_FALSE(WriteProfileString(file, "S]", "K", "v"));
    EXPECT_FALSE(WriteProfileString(file, "S", "K=J", "v"));
    EXPECT_FALSE(WriteProfileString(file, "S", "", "v"));
    EXPECT_EQ(ReadFile(file), "[S]\nK=1\n");
}

} // namespace
