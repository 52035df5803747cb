// Opening the store: the shared file, the macro path of the previous run and moving settings
// over when that path changed.
#include "tests/settings/settings_fixture.h"

#include <filesystem>

namespace {

using namespace qx::settings;
using qx::host::BoxAnswer;
using qx::host::BoxKind;
using qx::platform::ReadProfileValue;
using qx::test::ReadFile;
using qx::test::SettingsTest;
using qx::test::WriteFile;

namespace fs = std::filesystem;

class InitSettingsTest : public SettingsTest {
protected:
    // A previous run at another macro path, with its own settings file.
    std::string PreviousRunAt(const std::string& sub, const std::string& contents) {
        const std::string previous = dir.Folder(sub);
        WriteFile(previous + "Quillex.ini", contents);
        fs::create_directories(sharedPath + "pellworth");
        WriteFile(SharedIni(), "[Quillex]\nPathMCR=" + previous + "\n");
        return previous;
    }
};

TEST_F(InitSettingsTest, FirstRunCreatesTheSharedFolderAndFileWithoutAQuestion) {
    Open();
    EXPECT_TRUE(fs::is_directory(sharedPath + "pellworth"));
    EXPECT_EQ(ReadProfileValue(SharedIni(), "Quillex", "PathMCR"), macroPath);
    EXPECT_EQ(MacroIniFile(), MacroIni());
    EXPECT_EQ(SharedIniFile(), SharedIni());
    EXPECT_FALSE(fs::exists(MacroIni()));
}

TEST_F(InitSettingsTest, SameOrCaseOnlyChangedPathAsksNothingAndCopiesNothing) {
    QX_SKIP_ON_WINDOWS("on a case-insensitive file system the two paths are one folder");
    WriteFile(MacroIni(), "[Quillex]\nIncrement=2\n");
    PreviousRunAt("MACROS", "[Quillex]\nIncrement=9\n");
    Open();
    EXPECT_EQ(ReadFile(MacroIni()), "[Quillex]\nIncrement=2\n");
    EXPECT_FALSE(fs::exists(MacroIni() + "-old"));
    EXPECT_EQ(ReadProfileValue(SharedIni(), "Quillex", "PathMCR"), macroPath);
}

TEST_F(InitSettingsTest, ChangedPathAnsweredYesKeepsTheCurrentFileAsOld) {
    const std::string previous = PreviousRunAt("before", "[Quillex]\nIncrement=9\n");
    WriteFile(MacroIni(), "current");
    WriteFile(MacroIni() + "-old", "older");
    ui.AnswerNext(BoxAnswer::Yes);
    ASSERT_TRUE(InitSettings("Quillex"));
    ASSERT_EQ(ui.Boxes().size(), 1u);
    EXPECT_EQ(ui.Boxes()[0].kind, BoxKind::Confirmation);
    EXPECT_EQ(ui.Boxes()[0].text,
              "Settings for this macro are stored in a file in your macro path.\r\n\r\n"
              "Last time you used the macro this path was:\r\n" +
                  previous + "\r\n\r\nIt is now:\r\n" + macroPath +
                  "\r\n\r\nWould you like to copy settings from the previous path to the "
                  "current one?");
    EXPECT_EQ(ReadFile(MacroIni()), "[Quillex]\nIncrement=9\n");
    EXPECT_EQ(ReadFile(MacroIni() + "-old"), "current");
    EXPECT_EQ(ReadFile(previous + "Quillex.ini"), "[Quillex]\nIncrement=9\n");
    EXPECT_EQ(ReadProfileValue(SharedIni(), "Quillex", "PathMCR"), macroPath);
}

TEST_F(InitSettingsTest, ChangedPathAnsweredNoChangesNothingAndIsNotAskedAgain) {
    PreviousRunAt("before", "[Quillex]\nIncrement=9\n");
    WriteFile(MacroIni(), "current");
    ui.AnswerNext(BoxAnswer::No);
    ASSERT_TRUE(InitSettings("Quillex"));
    EXPECT_EQ(ui.Boxes().size(), 1u);
    EXPECT_EQ(ReadFile(MacroIni()), "current");
    EXPECT_FALSE(fs::exists(MacroIni() + "-old"));
    EXPECT_EQ(ReadProfileValue(SharedIni(), "Quillex", "PathMCR"), macroPath);

    ASSERT_TRUE(InitSettings("Quillex"));
    EXPECT_EQ(ui.Boxes().size(), 1u);
}

TEST_F(InitSettingsTest, ChangedPathWithoutCurrentFileCopiesSilently) {
    PreviousRunAt("before", "[Quillex]\nIncrement=9\n");
    Open();
    EXPECT_EQ(ReadFile(MacroIni()), "[Quillex]\nIncrement=9\n");
    EXPECT_EQ(GetIntSetting("Increment", 1), 9);
}

TEST_F(InitSettingsTest, ChangedPathWithoutPreviousFileDoesNothing) {
    fs::create_directories(sharedPath + "pellworth");
    WriteFile(SharedIni(), "[Quillex]\nPathMCR=" + dir.Folder("gone") + "\n");
    Open();
    EXPECT_FALSE(fs::exists(MacroIni()));
}

TEST_F(InitSettingsTest, FolderThatCannotBeCreatedEndsTheMacro) {
    WriteFile(sharedPath + "pellworth", "a file where the folder belongs");
    EXPECT_FALSE(InitSettings("Quillex"));
    ASSERT_EQ(ui.Boxes().size(), 1u);
    EXPECT_EQ(ui.Boxes()[0].kind, BoxKind::Error);
    EXPECT_EQ(ui.Boxes()[0].text, "Failed to create required directory (" + sharedPath +
                                      "pellworth)\r\n\r\nMacro will exit");
}

TEST_F(InitSettingsTest, SharedFileThatCannotBeWrittenEndsTheMacroAndIsKept) {
    QX_SKIP_ON_WINDOWS("under Wine the tests run as root, who may write a read-only file");
    fs::create_directories(sharedPath + "pellworth");
    const std::string before = "[Quillex]\nPathMCR=" + macroPath + "\n";
    WriteFile(SharedIni(), before);
    fs::permissions(SharedIni(), fs::perms::owner_read | fs::perms::group_read);
    EXPECT_FALSE(InitSettings("Quillex"));
    ASSERT_EQ(ui.Boxes().size(), 1u);
    EXPECT_EQ(ui.Boxes()[0].text,
              "Initialisation Failure (cannot write " + SharedIni() + ")\r\n\r\nMacro will exit");
    EXPECT_EQ(ReadFile(SharedIni()), before);
}

// The maker's other macros and the user write the shared file too.
TEST_F(InitSettingsTest, SharedFileWithLinesOfOthersStartsAndKeepsThem) {
    QX_SKIP_ON_WINDOWS("the platform's profile API decides how it rewrites lines it cannot read");
    fs::create_directories(sharedPath + "pellworth");
    const std::string others = "\xEF\xBB\xBF[Other]\r\nfree text\r\n\x01\x02\r\nKey=\xE9\r\n";
    WriteFile(SharedIni(), others + "[Quillex]\r\nnotes\r\nPathMCR=C:\\Old\\\r\n");
    Open();
    EXPECT_TRUE(ui.Boxes().empty());
    EXPECT_EQ(ReadFile(SharedIni()),
              others + "[Quillex]\r\nnotes\r\nPathMCR=" + macroPath + "\r\n");
    EXPECT_EQ(ReadProfileValue(SharedIni(), "Other", "Key"), "é");
}

TEST_F(InitSettingsTest, HostWithoutMacroPathEndsTheMacro) {
    host.SetPath(qx::host::kPathMacro, "");
    EXPECT_FALSE(InitSettings("Quillex"));
    ASSERT_EQ(ui.Boxes().size(), 1u);
    EXPECT_EQ(ui.Boxes()[0].text.rfind("Initialisation Failure (", 0), 0u);
}

} // namespace
