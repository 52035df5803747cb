// Windows has no mkdtemp: a folder with a random name is created, and a name that exists
// already is never taken over (CreateDirectoryW fails for it), so another one is tried.
#include "cadhost/scenario/temp_folder.h"

#include <windows.h>

#include <filesystem>
#include <random>
#include <string>

namespace cadhost::scenario {

std::string MakeTempRoot() {
    std::error_code ec;
    const std::filesystem::path base = std::filesystem::temp_directory_path(ec);
    if (ec)
        return {};
    std::random_device random;
    constexpr int kAttempts = 100;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const std::filesystem::path folder =
            base /
            ("cadhost-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(random()));
        if (CreateDirectoryW(folder.c_str(), nullptr) == 0) {
            if (GetLastError() == ERROR_ALREADY_EXISTS)
                continue;
            return {};
        }
        const std::string root = folder.generic_string();
        std::filesystem::create_directories(folder / "macro", ec);
        std::filesystem::create_directories(folder / "shared", ec);
        return ec ? std::string{} : root;
    }
    return {};
}

} // namespace cadhost::scenario
