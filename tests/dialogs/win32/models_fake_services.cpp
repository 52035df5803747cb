// The two services the form models reach beyond themselves, for the views' tests in a Windows
// build that does not yet carry the settings store and the host binding: saving a setting
// (which only ReadInto does, and no view test calls) and the host's function table (which only
// PopulateLayers reads, and the tests fill the layers themselves). Both do nothing.
#include "host/host_table.h"
#include "settings/settings_keys.h"

namespace qx::settings {
void SaveBool(SettingKey, bool) {}
void SaveInt(SettingKey, std::int32_t) {}
void SaveText(SettingKey, const std::string&) {}
} // namespace qx::settings

namespace qx::host {
HostTable& Slots() {
    static HostTable table{};
    return table;
}
} // namespace qx::host
