// Profile (INI) files on disk. Every call opens the file, handles one key and closes it again;
// nothing is cached. The text itself is read and edited by platform/profile_text.h, so a file
// keeps every line it had, the ones that cannot be read included.
//
// Names, values and paths are UTF-8.
#pragma once

#include <optional>
#include <string>

namespace qx::platform {

// The value, or nothing when the file, the section or the key is missing or the file cannot be
// read.
std::optional<std::string> ReadProfileValue(const std::string& file, const std::string& section,
                                            const std::string& key);

// Sets the key, creating the file, the section and the key as needed. The new text goes to a
// temporary file that is synced and renamed over the old one, so an interrupted write leaves
// the old file or the new one, never half of one. A symbolic link stays a link: the file it
// leads to is replaced. False, with the file untouched, when the name or value cannot be
// written, when the file is read-only (by its mode bits, whoever runs the process) or when the
// file or its folder cannot be written.
bool WriteProfileValue(const std::string& file, const std::string& section, const std::string& key,
                       const std::string& value);

} // namespace qx::platform
