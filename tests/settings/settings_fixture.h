// A settings store opened on fresh folders, with a fake host and a recording desktop.
#pragma once

#include <gtest/gtest.h>

// A case that checks what the macro's own profile editor does, or what only a POSIX file system
// shows; on Windows the platform's profile API and file system decide, and the case is skipped.
#ifdef _WIN32
#define QX_SKIP_ON_WINDOWS(reason) GTEST_SKIP() << reason
#else
#define QX_SKIP_ON_WINDOWS(reason) (void)0
#endif

#include "host/host_api.h"
#include "platform/platform.h"
#include "settings/settings_store.h"
#include "tests/support/fake_host.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

namespace qx::test {

class SettingsTest : public testing::Test {
protected:
    void SetUp() override {
        macroPath = dir.Folder("macros");
        sharedPath = dir.Folder("shared");
        host.SetPath(host::kPathMacro, macroPath);
        host.SetPath(host::kPathShared, sharedPath);
    }

    // Opens the store and expects it to open without a word to the user.
    void Open() {
        ASSERT_TRUE(settings::InitSettings("Quillex"));
        ASSERT_TRUE(ui.Boxes().empty()) << ui.Boxes().front().text;
    }

    std::string MacroIni() const { return macroPath + "Quillex.ini"; }
    // Joined with "/" on every platform, as the maker's other macros find it.
    std::string SharedIni() const { return sharedPath + "pellworth/pellworth.ini"; }
    std::optional<std::string> FileValue(const std::string& key) const {
        return platform::ReadProfileValue(MacroIni(), "Quillex", key);
    }

    TempDir dir;
    FakeHost host;
    RecordingUi ui;
    std::string macroPath;
    std::string sharedPath;
};

} // namespace qx::test
