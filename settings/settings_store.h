// The settings store: values kept as drawing attributes and in the macro's INI file, read from
// the drawing first, then the file, then the default.
//
// Texts are the macro's 8-bit (Windows-1252) texts.
#pragma once

#include <cstdint>
#include <string>

namespace qx::settings {

// Opens the store for the section `name`. False when the macro must exit; the user has then
// seen an error message.
bool InitSettings(const std::string& name);

// True, after showing an error box, when `key` has more than 12 characters.
bool AtrNameTooLong(const std::string& key);

void SaveIntSetting(const std::string& key, std::int32_t value, bool toFile);
std::int32_t GetIntSetting(const std::string& key, std::int32_t dflt);

void SaveStrSetting(const std::string& key, const std::string& text, bool toFile, bool fileOnly);
std::string GetStrSetting(const std::string& key, const std::string& dflt, bool fromFile);

void SaveBoolSetting(const std::string& key, bool value, bool toFile, bool fileOnly);
bool GetBoolSetting(const std::string& key, bool dflt, bool fromDrawing, bool fromFile);

// Paths of the two INI files, as InitSettings found them (UTF-8). Empty before InitSettings.
std::string MacroIniFile();
std::string SharedIniFile();

} // namespace qx::settings
