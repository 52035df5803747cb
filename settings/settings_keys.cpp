#include "settings/settings_keys.h"

#include "platform/platform.h"
#include "settings/settings_store.h"

#include <algorithm>
#include <ranges>

namespace qx::settings {
namespace {

constexpr bool TableIsInKeyOrder() {
    for (std::size_t i = 0; i < kSettingsTable.size(); ++i) {
        if (static_cast<std::size_t>(kSettingsTable[i].id) != i)
            return false;
    }
    return true;
}
static_assert(TableIsInKeyOrder(), "the settings table must list the keys in their enum order");
static_assert(std::ranges::all_of(kSettingsTable,
                                  [](const SettingDef& d) {
                                      return !d.name.empty() && d.name.size() <= 11;
                                  }),
              "a key and its continuation key must fit an attribute name");
// The store reads integers and texts from the drawing first; only yes/no values can skip it.
static_assert(std::ranges::all_of(kSettingsTable,
                                  [](const SettingDef& d) {
                                      return d.place == SettingPlace::DrawingAndFile ||
                                             d.kind == SettingKind::YesNo;
                                  }),
              "only yes/no settings can be kept in the file only");

constexpr bool kToFile = true;
constexpr bool kFromFile = true;

bool IsKind(const SettingDef& def, SettingKind kind) {
    if (def.kind == kind)
        return true;
    platform::ErrorBox("Setting " + std::string(def.name) +
                       " used as the wrong kind of value - please advise macro author");
    return false;
}

bool FileOnly(const SettingDef& def) {
    return def.place == SettingPlace::FileOnly;
}

} // namespace

bool ReadBool(SettingKey key) {
    const SettingDef& def = Definition(key);
    if (!IsKind(def, SettingKind::YesNo))
        return def.dflt != 0;
    return GetBoolSetting(std::string(def.name), def.dflt != 0, !FileOnly(def), kFromFile);
}

std::int32_t ReadInt(SettingKey key) {
    const SettingDef& def = Definition(key);
    if (!IsKind(def, SettingKind::Integer))
        return def.dflt;
    return GetIntSetting(std::string(def.name), def.dflt);
}

std::string ReadText(SettingKey key) {
    const SettingDef& def = Definition(key);
    if (!IsKind(def, SettingKind::Text))
        return {};
    return GetStrSetting(std::string(def.name), {}, kFromFile);
}

void SaveBool(SettingKey key, bool value) {
    const SettingDef& def = Definition(key);
    if (!IsKind(def, SettingKind::YesNo))
        return;
    SaveBoolSetting(std::string(def.name), value, kToFile, FileOnly(def));
}

void SaveInt(SettingKey key, std::int32_t value) {
    const SettingDef& def = Definition(key);
    if (!IsKind(def, SettingKind::Integer))
        return;
    SaveIntSetting(std::string(def.name), value, kToFile);
}

void SaveText(SettingKey key, const std::string& text) {
    const SettingDef& def = Definition(key);
    if (!IsKind(def, SettingKind::Text))
        return;
    SaveStrSetting(std::string(def.name), text, kToFile, FileOnly(def));
}

} // namespace qx::settings
