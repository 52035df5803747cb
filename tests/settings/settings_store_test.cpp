// Values in the drawing and the macro's file: encodings, precedence, long texts, bad input.
#include "tests/settings/settings_fixture.h"

#include <filesystem>
#include <string>

namespace {

using namespace qx::settings;
using qx::test::ReadFile;
using qx::test::SettingsTest;
using qx::test::WriteFile;

constexpr bool kToFile = true;
constexpr bool kNotToFile = false;
constexpr bool kFileOnly = true;
constexpr bool kNotFileOnly = false;
constexpr bool kFromFile = true;
constexpr bool kFromDrawing = true;
constexpr bool kNotFromDrawing = false;

class SettingsStore : public SettingsTest {
protected:
    void SetUp() override {
        SettingsTest::SetUp();
        Open();
    }
};

TEST_F(SettingsStore, IntegerGoesToTheDrawingAndTheFile) {
    SaveIntSetting("Increment", -42, kToFile);
    EXPECT_EQ(host.IntAttribute("Increment"), -42);
    EXPECT_EQ(FileValue("Increment"), "-42");
    EXPECT_EQ(GetIntSetting("Increment", 1), -42);

    SaveIntSetting("Increment", 7, kNotToFile);
    EXPECT_EQ(host.IntAttribute("Increment"), 7);
    EXPECT_EQ(FileValue("Increment"), "-42");
}

TEST_F(SettingsStore, SecondSaveUpdatesTheAttributeInsteadOfAddingOne) {
    SaveIntSetting("hlboxclr", 3, kToFile);
    SaveIntSetting("hlboxclr", 4, kToFile);
    ASSERT_EQ(host.Saves().size(), 2u);
    EXPECT_EQ(host.Saves()[0].how, qx::test::FakeHost::AttributeSave::How::Added);
    EXPECT_EQ(host.Saves()[1].how, qx::test::FakeHost::AttributeSave::How::Updated);
    EXPECT_EQ(host.AttributeCount(), 1u);
}

TEST_F(SettingsStore, DrawingWithoutAttributesTakesTheFileValues) {
    WriteFile(MacroIni(), "[Quillex]\nIncrement=5\nCaseSens=0\nSearchStr=from file\n");
    EXPECT_EQ(GetIntSetting("Increment", 1), 5);
    EXPECT_FALSE(GetBoolSetting("CaseSens", true, kFromDrawing, kFromFile));
    EXPECT_EQ(GetStrSetting("SearchStr", "", kFromFile), "from file");
}

TEST_F(SettingsStore, DrawingOverridesTheFileEvenWhenTheFileChangedLater) {
    SaveIntSetting("Increment", 5, kToFile);
    SaveBoolSetting("CaseSens", false, kToFile, kNotFileOnly);
    SaveStrSetting("SearchStr", "drawing", kToFile, kNotFileOnly);
    WriteFile(MacroIni(), "[Quillex]\nIncrement=9\nCaseSens=1\nSearchStr=file\n");
    EXPECT_EQ(GetIntSetting("Increment", 1), 5);
    EXPECT_FALSE(GetBoolSetting("CaseSens", true, kFromDrawing, kFromFile));
    EXPECT_EQ(GetStrSetting("SearchStr", "", kFromFile), "drawing");
}

TEST_F(SettingsStore, FileOnlyYesNoLeavesTheDrawingAlone) {
    host.SetIntAttribute("UseForm", 1);
    SaveBoolSetting("UseForm", false, kNotToFile, kFileOnly);
    EXPECT_EQ(host.IntAttribute("UseForm"), 1);
    EXPECT_EQ(FileValue("UseForm"), "0");
    EXPECT_FALSE(GetBoolSetting("UseForm", true, kNotFromDrawing, kFromFile));
    EXPECT_TRUE(GetBoolSetting("UseForm", false, kFromDrawing, kFromFile));
}

TEST_F(SettingsStore, YesNoIsOneOrZeroAndAnyNonZeroIsYes) {
    SaveBoolSetting("WholeEnts", true, kToFile, kNotFileOnly);
    EXPECT_EQ(host.IntAttribute("WholeEnts"), 1);
    EXPECT_EQ(FileValue("WholeEnts"), "1");
    host.SetIntAttribute("WholeEnts", -3);
    EXPECT_TRUE(GetBoolSetting("WholeEnts", false, kFromDrawing, kFromFile));
    host.RemoveAttribute("WholeEnts");
    WriteFile(MacroIni(), "[Quillex]\nWholeEnts=2\n");
    EXPECT_TRUE(GetBoolSetting("WholeEnts", false, kFromDrawing, kFromFile));
}

TEST_F(SettingsStore, AttributeOfAnotherKindCountsAsMissing) {
    WriteFile(MacroIni(), "[Quillex]\nIncrement=6\nCaseSens=0\nSearchStr=file\n");
    host.SetTextAttribute("Increment", "12");
    host.SetTextAttribute("CaseSens", "1");
    host.SetIntAttribute("SearchStr", 3);
    EXPECT_EQ(GetIntSetting("Increment", 1), 6);
    EXPECT_FALSE(GetBoolSetting("CaseSens", true, kFromDrawing, kFromFile));
    EXPECT_EQ(GetStrSetting("SearchStr", "", kFromFile), "file");
}

TEST_F(SettingsStore, ValueThatIsNoWholeNumberReadsAsTheDefault) {
    for (const char* bad : {"abc", "12abc", "", "99999999999", "1.5", "0x10"}) {
        WriteFile(MacroIni(),
                  std::string("[Quillex]\nIncrement=") + bad + "\nRptChanges=" + bad + "\n");
        EXPECT_EQ(GetIntSetting("Increment", 1), 1) << bad;
        EXPECT_TRUE(GetBoolSetting("RptChanges", true, kFromDrawing, kFromFile)) << bad;
    }
    WriteFile(MacroIni(), "[Quillex]\nIncrement= +12 \n");
    EXPECT_EQ(GetIntSetting("Increment", 1), 12);
}

TEST_F(SettingsStore, TextOf255CharactersIsReadBackWholeWithoutContinuation) {
    const std::string text(255, 'a');
    SaveStrSetting("SearchStr", text, kToFile, kNotFileOnly);
    EXPECT_EQ(GetStrSetting("SearchStr", "", kFromFile), text);
    EXPECT_FALSE(host.TextAttribute("SearchStr^"));
    EXPECT_EQ(FileValue("SearchStr"), text);
}

TEST_F(SettingsStore, LongTextIsSplitOverTheKeyAndItsContinuation) {
    const std::string first(255, 'x');
    const std::string text = first + "tail of the text";
    SaveStrSetting("ReplaceStr", text, kToFile, kNotFileOnly);
    EXPECT_EQ(host.TextAttribute("ReplaceStr"), first);
    EXPECT_EQ(host.TextAttribute("ReplaceStr^"), "tail of the text");
    EXPECT_EQ(FileValue("ReplaceStr"), first);
    EXPECT_EQ(GetStrSetting("ReplaceStr", "", kFromFile), text);
}

TEST_F(SettingsStore, TextBeyond510CharactersIsCut) {
    const std::string text = std::string(255, 'a') + std::string(255, 'b') + "lost";
    SaveStrSetting("SearchStr", text, kToFile, kNotFileOnly);
    EXPECT_EQ(GetStrSetting("SearchStr", "", kFromFile), text.substr(0, 510));
}

TEST_F(SettingsStore, ShorterTextAfterALongOneDoesNotGetTheOldTail) {
    SaveStrSetting("SearchStr", std::string(255, 'a') + "old tail", kToFile, kNotFileOnly);
    const std::string exactly255(255, 'b');
    SaveStrSetting("SearchStr", exactly255, kToFile, kNotFileOnly);
    EXPECT_EQ(GetStrSetting("SearchStr", "", kFromFile), exactly255);
    SaveStrSetting("SearchStr", "short", kToFile, kNotFileOnly);
    EXPECT_EQ(GetStrSetting("SearchStr", "", kFromFile), "short");
    EXPECT_EQ(host.TextAttribute("SearchStr^"), "");
}

TEST_F(SettingsStore, WindowsCodePageTextsSurviveTheUtf8File) {
    const std::string cp1252 = "caf\xE9 \x80 \x93x\x94";
    SaveStrSetting("SearchStr", cp1252, kToFile, kNotFileOnly);
    EXPECT_EQ(FileValue("SearchStr"), "café € “x”");
    host.RemoveAttribute("SearchStr");
    EXPECT_EQ(GetStrSetting("SearchStr", "", kFromFile), cp1252);
}

TEST_F(SettingsStore, KeyOfMoreThan12CharactersIsRefusedWithABox) {
    const std::string key = "ThirteenChars";
    SaveIntSetting(key, 1, kToFile);
    EXPECT_EQ(GetIntSetting(key, 5), 0);
    SaveStrSetting(key, "x", kToFile, kNotFileOnly);
    EXPECT_EQ(GetStrSetting(key, "d", kFromFile), "d");
    SaveBoolSetting(key, true, kToFile, kNotFileOnly);
    EXPECT_TRUE(GetBoolSetting(key, true, kFromDrawing, kFromFile));
    EXPECT_EQ(host.AttributeCount(), 0u);
    EXPECT_FALSE(FileValue(key));
    ASSERT_EQ(ui.Boxes().size(), 6u);
    EXPECT_EQ(ui.Boxes()[0].kind, qx::host::BoxKind::Error);
    EXPECT_EQ(ui.Boxes()[0].text,
              "Atr Name (ThirteenChars) too long\r\nKindly report this error to Pellworth.");

    EXPECT_FALSE(AtrNameTooLong("TwelveChars!"));
    EXPECT_EQ(ui.Boxes().size(), 6u);
}

TEST_F(SettingsStore, LinesTheStoreCannotReadAreKeptAndTheKeysAroundThemRead) {
    QX_SKIP_ON_WINDOWS("the platform's profile API decides how it rewrites lines it cannot read");
    using namespace std::string_literals;
    const std::string before = "; by hand\n[Quillex]\nIncrement=5\n\0\0binary\nCaseSens=0\n"s;
    WriteFile(MacroIni(), before);
    EXPECT_EQ(GetIntSetting("Increment", 1), 5);
    EXPECT_FALSE(GetBoolSetting("CaseSens", true, kNotFromDrawing, kFromFile));
    SaveIntSetting("Increment", 2, kToFile);
    SaveBoolSetting("CaseSens", true, kToFile, kNotFileOnly);
    EXPECT_EQ(ReadFile(MacroIni()), "; by hand\n[Quillex]\nIncrement=2\n\0\0binary\nCaseSens=1\n"s);
    EXPECT_TRUE(ui.Boxes().empty());
}

TEST_F(SettingsStore, ReadOnlyFileIsReadKeptAndReportedOnce) {
    QX_SKIP_ON_WINDOWS("under Wine the tests run as root, who may write a read-only file");
    const std::string before = "[Quillex]\nIncrement=5\n";
    WriteFile(MacroIni(), before);
    std::filesystem::permissions(MacroIni(), std::filesystem::perms::owner_read);
    EXPECT_EQ(GetIntSetting("Increment", 1), 5);
    SaveIntSetting("Increment", 2, kToFile);
    SaveBoolSetting("CaseSens", true, kToFile, kNotFileOnly);
    EXPECT_EQ(ReadFile(MacroIni()), before);
    // The drawing still takes the values.
    EXPECT_EQ(host.IntAttribute("Increment"), 2);
    ASSERT_EQ(ui.Boxes().size(), 1u);
    EXPECT_NE(ui.Boxes()[0].text.find(MacroIni()), std::string::npos);
}

TEST_F(SettingsStore, UnwritableFileGivesAMessageAndNoCrash) {
    dir.Folder("macros/Quillex.ini");
    SaveStrSetting("SearchStr", "x", kToFile, kNotFileOnly);
    EXPECT_EQ(ui.Boxes().size(), 1u);
    EXPECT_EQ(GetStrSetting("SearchStr", "", kFromFile), "x");
}

TEST(SettingsWithoutHost, NothingBreaksWhenTheHostFunctionsAreMissing) {
    qx::test::RecordingUi ui;
    EXPECT_FALSE(InitSettings("Quillex"));
    ASSERT_EQ(ui.Boxes().size(), 1u);
    EXPECT_EQ(ui.Boxes()[0].text.rfind("Initialisation Failure (", 0), 0u);
    EXPECT_TRUE(MacroIniFile().empty());
    SaveIntSetting("Increment", 3, kToFile);
    EXPECT_EQ(GetIntSetting("Increment", 1), 1);
    EXPECT_EQ(GetStrSetting("SearchStr", "d", kFromFile), "d");
}

} // namespace
