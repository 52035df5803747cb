#include "settings/manual.h"

#include "platform/platform.h"

#include <filesystem>
#include <string>

namespace qx::settings {
namespace {

constexpr const char* kManualFile = "Quillex.pdf";

// The folder of `file`, with its trailing separator; "/./" and the like are tidied away so the
// user is shown a plain path. The path is UTF-8, and stays so through the tidying.
std::string FolderWithSeparator(const std::string& file) {
    const std::u8string tidied = std::filesystem::path(std::u8string(file.begin(), file.end()))
                                     .lexically_normal()
                                     .u8string();
    const std::string normal(tidied.begin(), tidied.end());
    const auto slash = normal.find_last_of(platform::kPathSeparators);
    return slash == std::string::npos ? std::string() : normal.substr(0, slash + 1);
}

} // namespace

std::string GetMacroFileName() {
    return platform::MacroLibraryPath();
}

std::string ManualPathFor(const std::string& macroFile) {
    return FolderWithSeparator(macroFile) + kManualFile;
}

void ShowManualFor(const std::string& macroFile) {
    const std::string path = ManualPathFor(macroFile);
    if (platform::FileExists(path)) {
        // Whether a viewer opened is the desktop's business; there is nothing more to do.
        platform::OpenDocument(path);
        return;
    }
    platform::ErrorBox("REFERENCE MANUAL WAS NOT FOUND at the following location:\r\n\r\n" + path +
                       "\r\n\r\nPlease copy the manual (" + kManualFile + ") to this location.");
}

void ShowManual() {
    ShowManualFor(GetMacroFileName());
}

} // namespace qx::settings
