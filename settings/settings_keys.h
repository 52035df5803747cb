// The macro's settings: one table names every key with where it is kept, its kind and its
// default, and drives every read and write of a setting.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace qx::settings {

// In the order start-up reads them.
enum class SettingKey : std::uint8_t {
    ConfirmEach,
    RptChanges,
    DfltPrevTxt,
    UseForm,
    DrwOffLyr,
    TxtAtStart,
    SearchStr,
    ReplaceStr,
    Increment,
    WholeEnts,
    WholeWords,
    CaseSens,
    Operation,
    LastInc,
    LastCase,
    HlBoxClr,
    HlBoxWt,
};

enum class SettingKind : std::uint8_t { YesNo, Integer, Text };

// Values kept in both places are read from the drawing first; file-only values ignore the
// drawing.
enum class SettingPlace : std::uint8_t { DrawingAndFile, FileOnly };

struct SettingDef {
    SettingKey id;
    std::string_view name;
    SettingPlace place;
    SettingKind kind;
    std::int32_t dflt; // yes/no: 1 or 0; texts default to the empty text
};

inline constexpr std::array kSettingsTable{
    // clang-format off
    SettingDef{SettingKey::ConfirmEach, "ConfirmEach", SettingPlace::DrawingAndFile, SettingKind::YesNo,   0},
    SettingDef{SettingKey::RptChanges,  "RptChanges",  SettingPlace::DrawingAndFile, SettingKind::YesNo,   1},
    SettingDef{SettingKey::DfltPrevTxt, "DfltPrevTxt", SettingPlace::FileOnly,       SettingKind::YesNo,   0},
    SettingDef{SettingKey::UseForm,     "UseForm",     SettingPlace::FileOnly,       SettingKind::YesNo,   1},
    SettingDef{SettingKey::DrwOffLyr,   "DrwOffLyr",   SettingPlace::FileOnly,       SettingKind::YesNo,   0},
    SettingDef{SettingKey::TxtAtStart,  "TxtAtStart",  SettingPlace::FileOnly,       SettingKind::YesNo,   0},
    SettingDef{SettingKey::SearchStr,   "SearchStr",   SettingPlace::DrawingAndFile, SettingKind::Text,    0},
    SettingDef{SettingKey::ReplaceStr,  "ReplaceStr",  SettingPlace::DrawingAndFile, SettingKind::Text,    0},
    SettingDef{SettingKey::Increment,   "Increment",   SettingPlace::DrawingAndFile, SettingKind::Integer, 1},
    SettingDef{SettingKey::WholeEnts,   "WholeEnts",   SettingPlace::DrawingAndFile, SettingKind::YesNo,   0},
    SettingDef{SettingKey::WholeWords,  "WholeWords",  SettingPlace::DrawingAndFile, SettingKind::YesNo,   0},
    SettingDef{SettingKey::CaseSens,    "CaseSens",    SettingPlace::DrawingAndFile, SettingKind::YesNo,   1},
    SettingDef{SettingKey::Operation,   "Operation",   SettingPlace::DrawingAndFile, SettingKind::Integer, 0},
    SettingDef{SettingKey::LastInc,     "LastInc",     SettingPlace::DrawingAndFile, SettingKind::Integer, 0},
    SettingDef{SettingKey::LastCase,    "LastCase",    SettingPlace::DrawingAndFile, SettingKind::Integer, 0},
    SettingDef{SettingKey::HlBoxClr,    "hlboxclr",    SettingPlace::DrawingAndFile, SettingKind::Integer, 15},
    SettingDef{SettingKey::HlBoxWt,     "hlboxwt",     SettingPlace::DrawingAndFile, SettingKind::Integer, 1},
    // clang-format on
};

constexpr const SettingDef& Definition(SettingKey key) {
    return kSettingsTable[static_cast<std::size_t>(key)];
}

// Reading a key as another kind than its own is a fault of the caller: it is reported in a box
// and gives the key's default, or stores nothing.
bool ReadBool(SettingKey key);
std::int32_t ReadInt(SettingKey key);
std::string ReadText(SettingKey key);

void SaveBool(SettingKey key, bool value);
void SaveInt(SettingKey key, std::int32_t value);
void SaveText(SettingKey key, const std::string& text);

} // namespace qx::settings
