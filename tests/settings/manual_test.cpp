// The reference manual is looked up next to the macro's library file.
#include "settings/manual.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

// This test program's own file.
std::filesystem::path ThisProgram() {
#ifdef _WIN32
    wchar_t name[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, name, MAX_PATH);
    return std::filesystem::canonical(name);
#else
    return std::filesystem::canonical("/proc/self/exe");
#endif
}

using namespace qx::settings;
using qx::test::RecordingUi;
using qx::test::TempDir;

TEST(Manual, PresentManualIsHandedToTheDesktop) {
    TempDir dir;
    RecordingUi ui;
    const std::string folder = dir.Folder("macro dir");
    qx::test::WriteFile(folder + "Quillex.pdf", "%PDF");
    ui.SetOpenSucceeds(false); // a failed open is the desktop's to report
    ShowManualFor(folder + "libquillex.so");
    EXPECT_EQ(ui.OpenedDocuments(), std::vector<std::string>{folder + "Quillex.pdf"});
    EXPECT_TRUE(ui.Boxes().empty());
}

TEST(Manual, MissingManualTellsWhereItBelongs) {
    TempDir dir;
    RecordingUi ui;
    const std::string folder = dir.Folder("macros");
    ShowManualFor(folder + "libquillex.so");
    EXPECT_TRUE(ui.OpenedDocuments().empty());
    ASSERT_EQ(ui.Boxes().size(), 1u);
    EXPECT_EQ(ui.Boxes()[0].kind, qx::host::BoxKind::Error);
    EXPECT_EQ(ui.Boxes()[0].text,
              "REFERENCE MANUAL WAS NOT FOUND at the following location:\r\n\r\n" + folder +
                  "Quillex.pdf\r\n\r\nPlease copy the manual (Quillex.pdf) to "
                  "this location.");
}

TEST(Manual, IsLookedUpNextToTheMacrosOwnFile) {
    // Linked statically, the macro's code lives in this test program.
    const std::filesystem::path self = ThisProgram();
    EXPECT_EQ(std::filesystem::weakly_canonical(GetMacroFileName()), self);
    EXPECT_EQ(ManualPathFor(GetMacroFileName()), (self.parent_path() / "Quillex.pdf").string());
}

} // namespace
