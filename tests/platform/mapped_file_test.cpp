// The read-only file mapping through which the macro reads its host's export tables.
#include "platform/mapped_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

using qx::platform::MappedFile;

std::string TempFile(const std::string& name, const std::string& content) {
    const auto path = std::filesystem::temp_directory_path() / ("qx-mapped-" + name);
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
}

TEST(MappedFile, ShowsTheFilesBytesAndOutlivesAMove) {
    const std::string path = TempFile("bytes", std::string("\x7f"
                                                           "ELF\0tail",
                                                           9));
    MappedFile moved;
    {
        auto file = MappedFile::Open(path);
        ASSERT_TRUE(file.ok()) << file.error();
        moved = std::move(*file);
    }
    ASSERT_EQ(moved.Bytes().size(), 9u);
    EXPECT_EQ(static_cast<char>(moved.Bytes()[1]), 'E');
    EXPECT_EQ(static_cast<char>(moved.Bytes()[8]), 'l');
    std::filesystem::remove(path);
}

TEST(MappedFile, AnEmptyFileHasNoBytesAndNoError) {
    const std::string path = TempFile("empty", "");
    const auto file = MappedFile::Open(path);
    ASSERT_TRUE(file.ok()) << file.error();
    EXPECT_TRUE(file->Bytes().empty());
    std::filesystem::remove(path);
}

TEST(MappedFile, AMissingFileOrAFolderIsAnError) {
    EXPECT_FALSE(MappedFile::Open("/nonexistent/qx-mapped").ok());
    const auto folder = MappedFile::Open(std::filesystem::temp_directory_path().string());
    EXPECT_FALSE(folder.ok());
    EXPECT_EQ(folder.error(), "not a regular file");
}

} // namespace
