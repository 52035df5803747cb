// The module's own path is that of the DLL that holds the platform layer, not the program's.
#include "platform/platform.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

namespace qx::platform {
namespace {

std::filesystem::path FromUtf8(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

TEST(ModulePath, ADllKnowsItsOwnFileAndTheProgramsFile) {
    const HMODULE probe = LoadLibraryW(FromUtf8(QX_MODULE_PATH_PROBE).wstring().c_str());
    ASSERT_NE(probe, nullptr) << GetLastError();
    using Probe = void (*)(char*, char*, int);
    const auto paths =
        reinterpret_cast<Probe>(reinterpret_cast<void*>(GetProcAddress(probe, "ProbePaths")));
    ASSERT_NE(paths, nullptr);
    char library[1024] = {};
    char program[1024] = {};
    paths(library, program, sizeof library);
    FreeLibrary(probe);

    EXPECT_TRUE(std::filesystem::equivalent(FromUtf8(library), FromUtf8(QX_MODULE_PATH_PROBE)))
        << library;
    EXPECT_EQ(FromUtf8(program).filename(), "platform_win32_test.exe");
    EXPECT_EQ(program, HostExecutablePath());
    // Linked into the program itself, the layer's own module is the program.
    EXPECT_EQ(MacroLibraryPath(), HostExecutablePath());
}

} // namespace
} // namespace qx::platform
