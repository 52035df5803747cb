// Profile files through the Windows profile API, held to the rules the macro relies on on every
// platform: unknown lines kept, the first of duplicates wins, names without regard to case,
// texts of the Windows code page.
#include "platform/profile_file.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

namespace qx::platform {
namespace {

using test::ReadBytes;
using test::WriteBytes;

class ProfileApi : public ::testing::Test {
protected:
    test::TempFolder folder_;
    const std::string ini_ = folder_.File("Quillex.ini");
};

TEST_F(ProfileApi, AValueWrittenToANewFileReadsBack) {
    ASSERT_TRUE(WriteProfileValue(ini_, "Quillex", "SearchStr", "door 12"));
    EXPECT_EQ(ReadProfileValue(ini_, "Quillex", "SearchStr"), "door 12");
    ASSERT_TRUE(WriteProfileValue(ini_, "Quillex", "SearchStr", ""));
    EXPECT_EQ(ReadProfileValue(ini_, "Quillex", "SearchStr"), "");
}

TEST_F(ProfileApi, MissingFileSectionOrKeyIsNoValueAndAnEmptyValueIsOne) {
    EXPECT_EQ(ReadProfileValue(ini_, "Quillex", "SearchStr"), std::nullopt);
    WriteBytes(ini_, "[Quillex]\r\nEmpty=\r\n");
    EXPECT_EQ(ReadProfileValue(ini_, "Quillex", "Empty"), "");
    EXPECT_EQ(ReadProfileValue(ini_, "Quillex", "SearchStr"), std::nullopt);
    EXPECT_EQ(ReadProfileValue(ini_, "Other", "Empty"), std::nullopt);
}

TEST_F(ProfileApi, AWriteKeepsEveryOtherLine) {
    const std::string before = "; written by hand\r\n"
                               "[Quillex]\r\n"
                               "not a key line\r\n"
                               "SearchStr=old\r\n"
                               "ConfirmEach=1\r\n"
                               "[TfmLayers]\r\n"
                               "Left=10\r\n";
    WriteBytes(ini_, before);
    ASSERT_TRUE(WriteProfileValue(ini_, "Quillex", "SearchStr", "new"));
    const std::string after = ReadBytes(ini_);
    EXPECT_NE(after.find("; written by hand"), std::string::npos) << after;
    EXPECT_NE(after.find("not a key line"), std::string::npos) << after;
    EXPECT_NE(after.find("SearchStr=new"), std::string::npos) << after;
    EXPECT_EQ(after.find("SearchStr=old"), std::string::npos) << after;
    EXPECT_EQ(ReadProfileValue(ini_, "Quillex", "ConfirmEach"), "1");
    EXPECT_EQ(ReadProfileValue(ini_, "TfmLayers", "Left"), "10");
}

TEST_F(ProfileApi, TheFirstOfDuplicateSectionsAndKeysWins) {
    WriteBytes(ini_, "[Quillex]\r\nSearchStr=first\r\nSearchStr=second\r\n"
                     "[Quillex]\r\nSearchStr=third\r\nOnlyLater=yes\r\n");
    EXPECT_EQ(ReadProfileValue(ini_, "Quillex", "SearchStr"), "first");
    ASSERT_TRUE(WriteProfileValue(ini_, "Quillex", "SearchStr", "changed"));
    EXPECT_EQ(ReadProfileValue(ini_, "Quillex", "SearchStr"), "changed");
    const std::string after = ReadBytes(ini_);
    EXPECT_NE(after.find("SearchStr=second"), std::string::npos) << after;
    EXPECT_NE(after.find("SearchStr=third"), std::string::npos) << after;
}

TEST_F(ProfileApi, SectionAndKeyNamesIgnoreLetterCase) {
    WriteBytes(ini_, "[QUILLEX]\r\nsearchstr=x\r\n");
    EXPECT_EQ(ReadProfileValue(ini_, "Quillex", "SearchStr"), "x");
    ASSERT_TRUE(WriteProfileValue(ini_, "quillex", "SEARCHSTR", "y"));
    EXPECT_EQ(ReadProfileValue(ini_, "QUILLEX", "searchstr"), "y");
    // One key, changed in place.
    EXPECT_EQ(ReadBytes(ini_).find("SEARCHSTR"), std::string::npos);
}

TEST_F(ProfileApi, BlanksAndOnePairOfQuotesAroundAValueAreDropped) {
    WriteBytes(ini_, "[Quillex]\r\nA =  spaced  \r\nB=\"quoted\"\r\nC='single'\r\n");
    EXPECT_EQ(ReadProfileValue(ini_, "Quillex", "A"), "spaced");
    EXPECT_EQ(ReadProfileValue(ini_, "Quillex", "B"), "quoted");
    EXPECT_EQ(ReadProfileValue(ini_, "Quillex", "C"), "single");
}

TEST_F(ProfileApi, WindowsCodePageBytesReadAsTheirLetters) {
    // A file without a signature is in the system code page, Windows-1252 on the desktops the
    // macro's texts come from.
    if (GetACP() != 1252)
        GTEST_SKIP() << "the system code page is " << GetACP();
    WriteBytes(ini_, "[Quillex]\r\nSearchStr=Caf\xe9 \x80 5\r\n");
    EXPECT_EQ(ReadProfileValue(ini_, "Quillex", "SearchStr"), "Caf\xc3\xa9 \xe2\x82\xac 5");
    ASSERT_TRUE(WriteProfileValue(ini_, "Quillex", "ReplaceStr",
                                  "\xc3\xbc"
                                  "ber"));
    EXPECT_NE(ReadBytes(ini_).find("ReplaceStr=\xfc"
                                   "ber"),
              std::string::npos);
    EXPECT_EQ(ReadProfileValue(ini_, "Quillex", "ReplaceStr"), "\xc3\xbc"
                                                               "ber");
}

TEST_F(ProfileApi, AUtf8FileWithSignatureReadsAsUtf8) {
    WriteBytes(ini_, "\xef\xbb\xbf[Quillex]\r\nSearchStr=Caf\xc3\xa9\r\n");
    EXPECT_EQ(ReadProfileValue(ini_, "Quillex", "SearchStr"), "Caf\xc3\xa9");
}

TEST_F(ProfileApi, ALongValueIsReadWhole) {
    const std::string value(1000, 'x');
    ASSERT_TRUE(WriteProfileValue(ini_, "Quillex", "Long", value));
    EXPECT_EQ(ReadProfileValue(ini_, "Quillex", "Long"), value);
}

TEST_F(ProfileApi, WhatCannotBeReadBackIsRefusedAndTheFileLeftAlone) {
    WriteBytes(ini_, "[Quillex]\r\nSearchStr=kept\r\n");
    const std::string before = ReadBytes(ini_);
    EXPECT_FALSE(WriteProfileValue(ini_, "Quillex", "SearchStr", "two\r\nlines"));
    EXPECT_FALSE(WriteProfileValue(ini_, "Quillex", "Key=Value", "x"));
    EXPECT_FALSE(WriteProfileValue(ini_, "Quil]lex", "SearchStr", "x"));
    EXPECT_FALSE(WriteProfileValue(ini_, "", "SearchStr", "x"));
    EXPECT_FALSE(WriteProfileValue(ini_, "Quillex", "SearchStr", "bad \xff utf-8"));
    EXPECT_EQ(ReadBytes(ini_), before);
}

TEST_F(ProfileApi, AMissingFolderIsAFailedWrite) {
    const std::string lost = folder_.File("no such folder/Quillex.ini");
    EXPECT_FALSE(WriteProfileValue(lost, "Quillex", "SearchStr", "x"));
    EXPECT_EQ(ReadProfileValue(lost, "Quillex", "SearchStr"), std::nullopt);
}

TEST_F(ProfileApi, AReadOnlyFileIsAFailedWrite) {
    WriteBytes(ini_, "[Quillex]\r\nSearchStr=kept\r\n");
    std::filesystem::permissions(ini_, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    // Wine run by the super-user opens read-only files for writing; Windows never does.
    const HANDLE probe = CreateFileW(std::filesystem::path(ini_).wstring().c_str(), GENERIC_WRITE,
                                     0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (probe != INVALID_HANDLE_VALUE) {
        CloseHandle(probe);
        GTEST_SKIP() << "this system lets a read-only file be written";
    }
    EXPECT_FALSE(WriteProfileValue(ini_, "Quillex", "SearchStr", "changed"));
    EXPECT_EQ(ReadProfileValue(ini_, "Quillex", "SearchStr"), "kept");
}

} // namespace
} // namespace qx::platform
