// Reading and seeding INI files for scenarios, independently of the macro's own code.
#pragma once

#include <optional>
#include <string>

namespace cadhost::scenario {

std::optional<std::string> ReadIniValue(const std::string& file, const std::string& section,
                                        const std::string& key);
bool WriteIniValue(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value);

} // namespace cadhost::scenario
