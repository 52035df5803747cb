// Conversion between the host's 8-bit texts (Windows-1252) and UTF-8. Used only at the edges:
// widgets, files and message boxes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qx::host {

std::string Cp1252ToUtf8(std::string_view cp1252);

// Converts UTF-8 to Windows-1252. Characters the code page cannot hold, and malformed UTF-8,
// give nullopt.
std::optional<std::string> Utf8ToCp1252(std::string_view utf8);

// As Utf8ToCp1252, but replaces what cannot be held with '?'.
std::string Utf8ToCp1252Lossy(std::string_view utf8);

} // namespace qx::host
