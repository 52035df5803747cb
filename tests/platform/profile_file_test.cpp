// Profile files on disk: what a write keeps, and the files it must leave alone.
#include "platform/platform.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

using qx::platform::ReadProfileValue;
using qx::platform::WriteProfileValue;
using qx::test::ReadFile;
using qx::test::TempDir;
using qx::test::WriteFile;

TEST(ProfileFile, MissingFileSectionOrKeyReadsAsNothing) {
    TempDir dir;
    const std::string file = dir.File("a.ini");
    EXPECT_FALSE(ReadProfileValue(file, "Quillex", "Key"));
    WriteFile(file, "[Quillex]\nKey=1\n");
    EXPECT_FALSE(ReadProfileValue(file, "Other", "Key"));
    EXPECT_FALSE(ReadProfileValue(file, "Quillex", "Missing"));
    EXPECT_EQ(ReadProfileValue(file, "Quillex", "Key"), "1");
}

TEST(ProfileFile, WriteCreatesFileSectionAndKey) {
    TempDir dir;
    const std::string file = dir.File("new.ini");
    ASSERT_TRUE(WriteProfileValue(file, "Quillex", "SearchStr", "Grüße €"));
    EXPECT_EQ(ReadProfileValue(file, "Quillex", "SearchStr"), "Grüße €");
    // The file is UTF-8 text in the profile API's form, without spaces around the '='.
    EXPECT_NE(ReadFile(file).find("[Quillex]\nSearchStr=Grüße €"), std::string::npos);
}

TEST(ProfileFile, WriteKeepsOtherSectionsKeysAndComments) {
    TempDir dir;
    const std::string file = dir.File("keep.ini");
    WriteFile(file, "; file comment\n\n[First]\n; about A\nA=1\nB=two\n\n[Quillex]\nOld=x\n");
    ASSERT_TRUE(WriteProfileValue(file, "Quillex", "Old", "y"));
    ASSERT_TRUE(WriteProfileValue(file, "Quillex", "New", "z"));
    ASSERT_TRUE(WriteProfileValue(file, "Third", "C", "3"));
    EXPECT_EQ(ReadProfileValue(file, "First", "A"), "1");
    EXPECT_EQ(ReadProfileValue(file, "First", "B"), "two");
    EXPECT_EQ(ReadProfileValue(file, "Quillex", "Old"), "y");
    EXPECT_EQ(ReadProfileValue(file, "Quillex", "New"), "z");
    EXPECT_EQ(ReadProfileValue(file, "Third", "C"), "3");
    const std::string text = ReadFile(file);
    EXPECT_NE(text.find("; file comment"), std::string::npos);
    EXPECT_NE(text.find("; about A"), std::string::npos);
}

TEST(ProfileFile, SectionAndKeyNamesIgnoreLetterCase) {
    TempDir dir;
    const std::string file = dir.File("case.ini");
    WriteFile(file, "[Quillex]\nSearchStr=old\n");
    ASSERT_TRUE(WriteProfileValue(file, "QUILLEX", "searchstr", "new"));
    EXPECT_EQ(ReadProfileValue(file, "quillex", "SEARCHSTR"), "new");
    const std::string text = ReadFile(file);
    // One key, under its original spelling, not a second one.
    EXPECT_EQ(text.find("searchstr"), std::string::npos);
    EXPECT_EQ(text.find("SearchStr"), text.rfind("SearchStr"));
}

TEST(ProfileFile, WriteLeavesNoTemporaryFileBehind) {
    TempDir dir;
    ASSERT_TRUE(WriteProfileValue(dir.File("one.ini"), "S", "K", "V"));
    ASSERT_TRUE(WriteProfileValue(dir.File("one.ini"), "S", "K", "W"));
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(ProfileFile, HandEditedFileChangesInOneLineOnly) {
    TempDir dir;
    const std::string file = dir.File("pellworth.ini");
    const std::string before =
        "\xEF\xBB\xBF; other macros write here\r\n[Other]\r\nnotes\r\n"
        "[Quillex]\r\nPathMCR=C:\\old\\\r\n\xE9t\xE9\r\nfmConfirm-left=5\r\n";
    WriteFile(file, before);
    EXPECT_EQ(ReadProfileValue(file, "Quillex", "fmConfirm-left"), "5");
    ASSERT_TRUE(WriteProfileValue(file, "Quillex", "PathMCR", "/home/u/macros/"));
    std::string expected = before;
    expected.replace(expected.find("C:\\old\\"), 7, "/home/u/macros/");
    EXPECT_EQ(ReadFile(file), expected);
}

TEST(ProfileFile, AFolderInPlaceOfTheFileIsNeitherReadNorWritten) {
    TempDir dir;
    const std::string file = dir.Folder("is-a-folder.ini");
    EXPECT_FALSE(ReadProfileValue(file, "S", "K"));
    EXPECT_FALSE(WriteProfileValue(file, "S", "K", "V"));
    EXPECT_TRUE(std::filesystem::is_directory(file));
}

// The rights are checked from the mode bits, so that a read-only file stays as it is even for
// the super-user, whom the system would let write it.
TEST(ProfileFile, ReadOnlyFileIsNotReplaced) {
    TempDir dir;
    const std::string file = dir.File("ro.ini");
    WriteFile(file, "[S]\nK=1\n");
    std::filesystem::permissions(file, std::filesystem::perms::owner_read);
    EXPECT_FALSE(WriteProfileValue(file, "S", "K", "2"));
    EXPECT_EQ(ReadProfileValue(file, "S", "K"), "1");
    EXPECT_EQ(ReadFile(file), "[S]\nK=1\n");
}

TEST(ProfileFile, WriteKeepsTheFileRights) {
    TempDir dir;
    const std::string file = dir.File("rights.ini");
    WriteFile(file, "[S]\nK=1\n");
    const auto rights = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(file, rights);
    ASSERT_TRUE(WriteProfileValue(file, "S", "K", "2"));
    EXPECT_EQ(fs::status(file).permissions(), rights);
}

TEST(ProfileFile, ALinkStaysALinkAndItsTargetChanges) {
    TempDir dir;
    const std::string target = dir.Folder("real") + "settings.ini";
    WriteFile(target, "[S]\nK=1\n");
    // A relative link, reached through a second link, as a user might arrange them.
    const std::string link = dir.Folder("links") + "link.ini";
    const std::string outer = dir.File("outer.ini");
    fs::create_symlink("../real/settings.ini", link);
    fs::create_symlink(link, outer);

    ASSERT_TRUE(WriteProfileValue(outer, "S", "K", "2"));
    EXPECT_TRUE(fs::is_symlink(outer));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadFile(target), "[S]\nK=2\n");
    EXPECT_EQ(ReadProfileValue(outer, "S", "K"), "2");
}

TEST(ProfileFile, ALinkToAMissingFileCreatesTheFile) {
    TempDir dir;
    const std::string link = dir.File("link.ini");
    fs::create_symlink("target.ini", link);
    ASSERT_TRUE(WriteProfileValue(link, "S", "K", "v"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadFile(dir.File("target.ini")), "[S]\nK=v\n");
}

TEST(ProfileFile, ALoopOfLinksIsNotWritten) {
    TempDir dir;
    fs::create_symlink("b.ini", dir.File("a.ini"));
    fs::create_symlink("a.ini", dir.File("b.ini"));
    EXPECT_FALSE(WriteProfileValue(dir.File("a.ini"), "S", "K", "v"));
    EXPECT_FALSE(ReadProfileValue(dir.File("a.ini"), "S", "K"));
}

TEST(ProfileFile, RewritingTheSameValueLeavesTheFileAlone) {
    TempDir dir;
    const std::string file = dir.File("same.ini");
    WriteFile(file, "[S]\nK=1\n");
    struct stat before {};
    ASSERT_EQ(::stat(file.c_str(), &before), 0);
    ASSERT_TRUE(WriteProfileValue(file, "S", "K", "1"));
    struct stat after {};
    ASSERT_EQ(::stat(file.c_str(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino);
}

TEST(ProfileFile, NamesAndValuesThatWouldBreakTheFileAreRefused) {
    TempDir dir;
    const std::string file = dir.File("inject.ini");
    WriteFile(file, "[S]\nK=1\n");
    EXPECT_FALSE(WriteProfileValue(file, "S", "K", "a\r\n[Evil]\nX=1"));
    EXPECT_FALSE(WriteProfileValue(file, "S]", "K", "v"));
    EXPECT_FALSE(WriteProfileValue(file, "S", "K=J", "v"));
    EXPECT_FALSE(WriteProfileValue(file, "S", "", "v"));
    EXPECT_EQ(ReadFile(file), "[S]\nK=1\n");
}

} // namespace
