#include "cadhost/scenario/ini_access.h"

// Plain 8-bit texts: the files are UTF-8 and are handed on as they are.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

namespace cadhost::scenario {

std::optional<std::string> ReadIniValue(const std::string& file, const std::string& section,
                                        const std::string& key) {
    CSimpleIniA ini(true, false, false);
    if (ini.LoadFile(file.c_str()) < 0)
        return std::nullopt;
    const char* v = ini.GetValue(section.c_str(), key.c_str(), nullptr);
    if (v == nullptr)
        return std::nullopt;
    return std::string(v);
}

bool WriteIniValue(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) {
    CSimpleIniA ini(true, false, false);
    ini.LoadFile(file.c_str()); // a missing file starts empty
    ini.SetValue(section.c_str(), key.c_str(), value.c_str());
    return ini.SaveFile(file.c_str()) >= 0;
}

} // namespace cadhost::scenario
