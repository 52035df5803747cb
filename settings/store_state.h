// What the settings store knows between its operations: the files and the section that
// InitSettings found, and the host's paths. Internal to the settings library.
#pragma once

#include <optional>
#include <string>

namespace qx::settings::detail {

struct StoreState {
    std::string section;       // the product name, "Quillex"
    std::string macroIniFile;  // UTF-8
    std::string sharedIniFile; // UTF-8
    std::string pathMcr;       // the macro path of the previous run (UTF-8)
    bool writeFailureReported = false;
    bool restoreInProgress = false; // set while a window's placement is being restored
};

// Process-wide; reset by InitSettings.
StoreState& Store();

inline constexpr const char* kLineBreak = "\r\n";
inline constexpr const char* kProductSection = "Quillex";

// The store's section; the product's name before InitSettings has named it.
std::string Section();
inline constexpr const char* kSharedFolderName = "pellworth";
inline constexpr const char* kSharedFileName = "pellworth.ini";

// A host path (UTF-8) ending with a path separator, or nothing when the host gave none.
std::optional<std::string> HostPath(int id);

// The shared settings folder and file under host path 6, or nothing when the host gave no path.
std::optional<std::string> SharedFolderFromHost();
std::optional<std::string> SharedFileFromHost();

// Tells the user once per session that a settings file could not be written.
void ReportFileWriteFailure(const std::string& file);

} // namespace qx::settings::detail
