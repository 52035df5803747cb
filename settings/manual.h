// The reference manual, kept next to the macro's library file.
#pragma once

#include <string>

namespace qx::settings {

// Opens the manual with the desktop's default application, or tells the user where it belongs.
void ShowManual();

// The full path of the macro's own library file (not the host's).
std::string GetMacroFileName();

// The manual's path next to a given library file, and ShowManual for that library file.
std::string ManualPathFor(const std::string& macroFile);
void ShowManualFor(const std::string& macroFile);

} // namespace qx::settings
