// File operations of the Win32 platform layer, on names with letters beyond ASCII.
#include "platform/platform.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

namespace qx::platform {
namespace {

using test::ReadBytes;
using test::WriteBytes;

class FileOperations : public ::testing::Test {
protected:
    test::TempFolder folder_;
};

TEST_F(FileOperations, FilesAndFoldersAreToldApart) {
    const std::string file = folder_.File("Caf\xc3\xa9.ini");
    const std::string dir = folder_.File("pellworth");
    EXPECT_FALSE(FileExists(file));
    WriteBytes(file, "x");
    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(DirectoryExists(file));

    EXPECT_FALSE(DirectoryExists(dir));
    ASSERT_TRUE(MakeDirectory(dir));
    EXPECT_TRUE(DirectoryExists(dir));
    EXPECT_FALSE(FileExists(dir));
}

TEST_F(FileOperations, MakeDirectoryMakesOneLevelOnly) {
    EXPECT_FALSE(MakeDirectory(folder_.File("a/b")));
    ASSERT_TRUE(MakeDirectory(folder_.File("a")));
    EXPECT_FALSE(MakeDirectory(folder_.File("a"))); // already there
    EXPECT_TRUE(MakeDirectory(folder_.File("a/b")));
}

TEST_F(FileOperations, CopyNeverOverwrites) {
    const std::string from = folder_.File("\xc3\xbc"
                                          "ber.ini");
    const std::string to = folder_.File("copy.ini");
    WriteBytes(from, "new");
    ASSERT_TRUE(CopyFileNoOverwrite(from, to));
    EXPECT_EQ(ReadBytes(to), "new");
    WriteBytes(to, "old");
    EXPECT_FALSE(CopyFileNoOverwrite(from, to));
    EXPECT_EQ(ReadBytes(to), "old");
    EXPECT_FALSE(CopyFileNoOverwrite(folder_.File("missing"), folder_.File("other")));
}

TEST_F(FileOperations, RenameReplacesTheTargetAndRemoveDeletes) {
    const std::string from = folder_.File("Quillex.ini");
    const std::string to = folder_.File("Quillex.ini-old");
    WriteBytes(from, "current");
    WriteBytes(to, "older");
    ASSERT_TRUE(RenameFile(from, to));
    EXPECT_FALSE(FileExists(from));
    EXPECT_EQ(ReadBytes(to), "current");

    EXPECT_TRUE(RemoveFile(to));
    EXPECT_FALSE(FileExists(to));
    EXPECT_FALSE(RemoveFile(to));
    EXPECT_FALSE(RenameFile(from, to));
}

TEST_F(FileOperations, PathsThatAreNotUtf8AreRefused) {
    const std::string bad = folder_.File("x") + "\xff";
    EXPECT_FALSE(MakeDirectory(bad));
    EXPECT_FALSE(FileExists(bad));
    EXPECT_FALSE(RemoveFile(bad));
}

} // namespace
} // namespace qx::platform
