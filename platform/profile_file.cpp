// Profile (INI) files. Placeholder until the settings work lands.
#include "platform/platform.h"

namespace qx::platform {

std::optional<std::string> ReadProfileString(const std::string&, const std::string&,
                                             const std::string&) {
    return std::nullopt;
}

bool WriteProfileString(const std::string&, const std::string&, const std::string&,
                        const std::string&) {
    return false;
}

} // namespace qx::platform
