// Replacing a drawing file: what a save keeps, what it refuses, and what it cleans up.
#include "cadhost/formats/file_replace.h"
#include "tests/support/temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace cadhost {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;

class ReplaceFile : public ::testing::Test {
protected:
    qx::test::TempDir dir;
    fs::path folder = dir.Path();

    static std::string Read(const fs::path& p) { return qx::test::ReadFile(p); }
    static void Write(const fs::path& p, const std::string& text) {
        std::ofstream(p, std::ios::binary) << text;
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    // The pid of a process that has ended and been reaped.
    static long EndedPid() {
        const pid_t child = ::fork();
        if (child == 0) {
            ::_exit(0);
        }
        ::waitpid(child, nullptr, 0);
        return child;
    }
};

TEST_F(ReplaceFile, WritesANewFileAndReplacesAnOldOneKeepingItsPermissions) {
    const fs::path file = folder / "d.json";
    ASSERT_EQ(ReplaceFileContents(file, "first").error(), "");
    EXPECT_EQ(Read(file), "first");

    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_EQ(ReplaceFileContents(file, "second").error(), "");
    EXPECT_EQ(Read(file), "second");
    EXPECT_EQ(fs::status(file).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(Names(), std::vector<std::string>{"d.json"}) << "no temporary file stays";
}

TEST_F(ReplaceFile, ContentsHandedOverInPiecesArriveWholeAndInOrder) {
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
                                      sink({});
                                      return qx::Status{};
                                  })
                  .error(),
              "");
    EXPECT_EQ(Read(file), expected);
    EXPECT_EQ(Names(), std::vector<std::string>{"d.json"});
}

// A writer that cannot give all of the contents (its source failed to read) fails the save: the
// old file stays and the half-written temporary file goes.
TEST_F(ReplaceFile, AWriterThatFailsLeavesTheOldFile) {
    const fs::path file = folder / "d.json";
    Write(file, "old drawing");
    const std::string error = ReplaceFileContents(file, [](const ByteSink& sink) {
                                  sink("half of the new");
                                  return qx::Status{qx::Failure{"the source went away"}};
                              }).error();
    EXPECT_THAT(error, HasSubstr(file.string() + ": cannot be saved: the source went away"));
    EXPECT_THAT(error, HasSubstr("the old file is unchanged"));
    EXPECT_EQ(Read(file), "old drawing");
    EXPECT_EQ(Names(), std::vector<std::string>{"d.json"});
}

TEST_F(ReplaceFile, RefusesAReadOnlyFileWhoeverRunsTheHost) {
    // Root may write any file, so the refusal must come from the mode bits, not from a failed
    // open: this test means the same for every user.
    const fs::path file = folder / "d.json";
    Write(file, "old drawing");
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read);
    const std::string error = ReplaceFileContents(file, "new").error();
    EXPECT_THAT(error, HasSubstr(file.string()));
    EXPECT_THAT(error, HasSubstr("read-only"));
    EXPECT_THAT(error, HasSubstr("the old file is unchanged"));
    EXPECT_EQ(Read(file), "old drawing");
    EXPECT_EQ(Names(), std::vector<std::string>{"d.json"});
}

TEST_F(ReplaceFile, KeepsSymbolicLinksAndReplacesWhatTheyLeadTo) {
    fs::create_directories(folder / "real");
    Write(folder / "real" / "d.json", "old");
    // A chain: an absolute link to a relative link to the file.
    fs::create_symlink("real/d.json", folder / "rel.json");
    fs::create_symlink(folder / "rel.json", folder / "abs.json");
    ASSERT_EQ(ReplaceFileContents(folder / "abs.json", "new").error(), "");
    EXPECT_TRUE(fs::is_symlink(folder / "abs.json"));
    EXPECT_TRUE(fs::is_symlink(folder / "rel.json"));
    EXPECT_EQ(Read(folder / "real" / "d.json"), "new");

    // A link whose file does not exist yet gets the file, as writing through it would.
    fs::create_symlink("real/later.json", folder / "later.json");
    ASSERT_EQ(ReplaceFileContents(folder / "later.json", "made").error(), "");
    EXPECT_TRUE(fs::is_symlink(folder / "later.json"));
    EXPECT_EQ(Read(folder / "real" / "later.json"), "made");
}

TEST_F(ReplaceFile, ALinkToAReadOnlyFileIsRefusedToo) {
    Write(folder / "target.json", "old");
    fs::permissions(folder / "target.json", fs::perms::owner_read);
    fs::create_symlink("target.json", folder / "link.json");
    EXPECT_THAT(ReplaceFileContents(folder / "link.json", "new").error(), HasSubstr("read-only"));
    EXPECT_EQ(Read(folder / "target.json"), "old");
}

TEST_F(ReplaceFile, RefusesALoopOfLinks) {
    fs::create_symlink("b.json", folder / "a.json");
    fs::create_symlink("a.json", folder / "b.json");
    EXPECT_THAT(ReplaceFileContents(folder / "a.json", "x").error(), HasSubstr("symbolic links"));
}

TEST_F(ReplaceFile, RefusesAFolderInTheFilesPlace) {
    fs::create_directories(folder / "d.json" / "inside");
    const std::string error = ReplaceFileContents(folder / "d.json", "x").error();
    EXPECT_THAT(error, HasSubstr("cannot be saved"));
    EXPECT_THAT(error, HasSubstr("folder"));
    EXPECT_TRUE(fs::is_directory(folder / "d.json" / "inside"));
    EXPECT_EQ(Names(), std::vector<std::string>{"d.json"});
}

TEST_F(ReplaceFile, AFolderThatTakesNoNewFileLeavesTheOldFileWhole) {
    const fs::path file = folder / "d.json";
    Write(file, "old");
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    if (std::ofstream(folder / "probe")) {
        GTEST_SKIP() << "this user may write into read-only folders";
    }
    const std::string error = ReplaceFileContents(file, "new").error();
    EXPECT_THAT(error, HasSubstr(file.string()));
    EXPECT_THAT(error, HasSubstr("does not take the new file"));
    EXPECT_EQ(Read(file), "old");
}

TEST_F(ReplaceFile, RemovesTemporaryFilesOfSavesThatNoLongerRun) {
    const fs::path file = folder / "d.json";
    Write(file, "old");
    const std::string abandoned = TemporaryNameFor(file, EndedPid(), 0xbeef);
    const std::string inProgress = TemporaryNameFor(file, ::getppid(), 0xcafe);
    const std::string oldButAlive = TemporaryNameFor(file, ::getppid(), 0xf00d);
    const std::string otherFile = TemporaryNameFor(folder / "e.json", EndedPid(), 0x1);
    for (const auto& name : {abandoned, inProgress, oldButAlive, otherFile}) {
        Write(folder / name, "partial");
    }
    fs::last_write_time(folder / oldButAlive, fs::file_time_type::clock::now() -
                                                  kStaleTemporaryAge - std::chrono::minutes(1));
    ASSERT_EQ(ReplaceFileContents(file, "new").error(), "");
    std::vector<std::string> expected{"d.json", inProgress, otherFile};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Names(), expected);
}

TEST_F(ReplaceFile, OnlyNamesOfTheTemporaryPatternCountAsStale) {
    const fs::path file = folder / "d.json";
    const long gone = EndedPid();
    struct Case {
        std::string name;
        bool stale;
    };
    const Case cases[] = {
        {TemporaryNameFor(file, gone, 0xabc), true},
        {".d.json.tmp-" + std::to_string(gone) + "-", false},     // no random part
        {".d.json.tmp-" + std::to_string(gone) + "-xyz", false},  // not hexadecimal
        {".d.json.tmp-" + std::to_string(gone), false},           // no random part at all
        {".d.json.tmp-notes", false},                             // a user's own file
        {".d.json.tmp--5-abc", false},                            // no pid
        {"d.json.tmp-" + std::to_string(gone) + "-abc", false},   // not hidden
        {".d.jsonx.tmp-" + std::to_string(gone) + "-abc", false}, // another file's
        {TemporaryNameFor(file, ::getpid(), 0xabc), false},       // this very process
    };
    for (const Case& c : cases) {
        Write(folder / c.name, "x");
        EXPECT_EQ(IsStaleTemporaryFile(file, folder / c.name), c.stale) << c.name;
    }
    // A folder of that name is never taken for a temporary file.
    const fs::path dir = folder / TemporaryNameFor(file, gone, 0xdd);
    fs::create_directories(dir);
    EXPECT_FALSE(IsStaleTemporaryFile(file, dir));
}

TEST(TemporaryName, FollowsThePatternTheDocumentationNames) {
    EXPECT_EQ(TemporaryNameFor("/x/plan.json", 42, 0x1f), ".plan.json.tmp-42-1f");
    EXPECT_THAT(TemporaryNameFor("plan.dxf", 7, 0), Not(HasSubstr("/")));
}

} // namespace
} // namespace cadhost
