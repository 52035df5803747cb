#include "cadhost/scenario/ini_access.h"

#include "platform/profile_file.h"

namespace cadhost::scenario {

// The macro's own profile-file code: a scenario must see a file exactly as the macro reads it,
// and seeding a key must keep the lines a scenario wrote by hand.
std::optional<std::string> ReadIniValue(const std::string& file, const std::string& section,
                                        const std::string& key) {
    return qx::platform::ReadProfileValue(file, section, key);
}

bool WriteIniValue(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) {
    return qx::platform::WriteProfileValue(file, section, key, value);
}

} // namespace cadhost::scenario
