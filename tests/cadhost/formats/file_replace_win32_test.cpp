// The safe replacement of a drawing file and the reading of its bytes on Windows, on real files:
// ReplaceFileW and MoveFileExW put the new contents in place, a read-only file is refused, and
// temporary files of saves that no longer run are cleared away.
#include "cadhost/formats/file_replace.h"
#include "cadhost/formats/read_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using cadhost::ByteSink;
using cadhost::FileBytes;
using cadhost::ReplaceFileContents;
using cadhost::TemporaryNameFor;
using ::testing::HasSubstr;

class ReplaceFileWin32 : public ::testing::Test {
protected:
    ReplaceFileWin32() {
        folder = fs::temp_directory_path() /
                 ("cadhost-replace-" + std::to_string(GetCurrentProcessId()) + "-" +
                  std::to_string(std::random_device{}()));
        fs::create_directories(folder);
    }
    ~ReplaceFileWin32() override {
        for (const auto& entry : fs::directory_iterator(folder))
            SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
        std::error_code ec;
        fs::remove_all(folder, ec);
    }

    static std::string Read(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }
    static void Write(const fs::path& file, const std::string& text) {
        std::ofstream(file, std::ios::binary) << text;
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        std::ranges::sort(names);
        return names;
    }

    fs::path folder;
};

TEST_F(ReplaceFileWin32, WritesANewFileAndReplacesAnOldOne) {
    const fs::path file = folder / "d.json";
    ASSERT_EQ(ReplaceFileContents(file, "first").error(), "");
    EXPECT_EQ(Read(file), "first");
    ASSERT_EQ(ReplaceFileContents(file, "second, longer").error(), "");
    EXPECT_EQ(Read(file), "second, longer");
    ASSERT_EQ(ReplaceFileContents(file, "3").error(), "");
    EXPECT_EQ(Read(file), "3");
    EXPECT_EQ(Names(), std::vector<std::string>{"d.json"}) << "no temporary file stays";
}

TEST_F(ReplaceFileWin32, ContentsHandedOverInPiecesArriveWholeAndInOrder) {
    const fs::path file = folder / "d.json";
    Write(file, "old");
    std::string expected;
    ASSERT_EQ(ReplaceFileContents(file,
                                  [&](const ByteSink& sink) {
                                      for (int i = 0; i < 1000; ++i) {
                                          const std::string piece = std::to_string(i) + ",";
                                          expected += piece;
                                          sink(piece);
                                      }
                                      return qx::Status{};
                                  })
                  .error(),
              "");
    EXPECT_EQ(Read(file), expected);
}

// A writer that cannot give all of the contents (its source failed to read) fails the save: the
// old file stays and the half-written temporary file goes.
TEST_F(ReplaceFileWin32, AWriterThatFailsLeavesTheOldFile) {
    const fs::path file = folder / "d.json";
    Write(file, "old drawing");
    const std::string error = ReplaceFileContents(file, [](const ByteSink& sink) {
                                  sink("half of the new");
                                  return qx::Status{qx::Failure{"the source went away"}};
                              }).error();
    EXPECT_THAT(error, HasSubstr(file.string() + ": cannot be saved: the source went away"));
    EXPECT_THAT(error, HasSubstr("the old file is unchanged"));
    EXPECT_EQ(Read(file), "old drawing");
}

TEST_F(ReplaceFileWin32, RefusesAReadOnlyFile) {
    const fs::path file = folder / "d.json";
    Write(file, "old drawing");
    ASSERT_NE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY), 0);
    const std::string error = ReplaceFileContents(file, "new").error();
    EXPECT_THAT(error, HasSubstr("read-only"));
    EXPECT_THAT(error, HasSubstr("the old file is unchanged"));
    EXPECT_EQ(Read(file), "old drawing");
    EXPECT_EQ(Names(), std::vector<std::string>{"d.json"});
}

TEST_F(ReplaceFileWin32, RefusesAFolderInTheFilesPlace) {
    fs::create_directory(folder / "d.json");
    EXPECT_THAT(ReplaceFileContents(folder / "d.json", "new").error(), HasSubstr("is a folder"));
}

TEST_F(ReplaceFileWin32, AFileNameBeyondAsciiIsWrittenAndReadBack) {
    const fs::path file = folder / fs::path(L"T\u00fcr \u0416.json");
    ASSERT_EQ(ReplaceFileContents(file, "{\"a\": 1}").error(), "");
    ASSERT_EQ(ReplaceFileContents(file, "{\"a\": 2}").error(), "");
    const FileBytes bytes(file);
    ASSERT_TRUE(bytes.ok());
    EXPECT_EQ(bytes.bytes(), "{\"a\": 2}");
}

TEST_F(ReplaceFileWin32, RemovesTemporaryFilesOfSavesThatNoLongerRunOnly) {
    const fs::path file = folder / "d.json";
    // No process has an id this large; a save of this process is running.
    const std::string gone = TemporaryNameFor(file, 0x7FFFFFF0L, 0xabc);
    const std::string running =
        TemporaryNameFor(file, static_cast<long>(GetCurrentProcessId()), 0xdef);
    Write(folder / gone, "left over");
    Write(folder / running, "in progress");
    ASSERT_EQ(ReplaceFileContents(file, "new").error(), "");
    EXPECT_EQ(Names(), (std::vector<std::string>{running, "d.json"}));
}

TEST(FileBytesWin32, AMissingFileOrAFolderIsNotRead) {
    EXPECT_FALSE(FileBytes(fs::temp_directory_path() / "cadhost-no-such-file.json").ok());
    EXPECT_FALSE(FileBytes(fs::temp_directory_path()).ok());
}

} // namespace
