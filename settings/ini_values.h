// Integer and text values in profile (INI) files, given the file, the section and the key.
//
// Texts are the macro's 8-bit (Windows-1252) texts; the files hold UTF-8. Paths are UTF-8.
#pragma once

#include <cstdint>
#include <string>

namespace qx::settings {

// The whole number stored under the key, or `dflt` when the file, the key or a valid number is
// missing.
std::int32_t ReadIniInt(const std::string& file, const std::string& section, const std::string& key,
                        std::int32_t dflt);
std::string ReadIniText(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& dflt);

// False when the file could not be written; it is then unchanged.
bool WriteIniInt(const std::string& file, const std::string& section, const std::string& key,
                 std::int32_t value);
bool WriteIniText(const std::string& file, const std::string& section, const std::string& key,
                  const std::string& text);

} // namespace qx::settings
