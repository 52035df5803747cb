// The two groups of search and replacement controls, "Text to Search For" and "Replace With",
// that the Replace Text dialog and the layer dialog share. Each dialog places the group boxes
// where its design has them; the controls inside sit where both designs put them, and the
// fields that stretch are as much wider as the dialog's groups are.
#pragma once

#include "dialogs/form/control_table.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace qx::form {

// The longest text a field takes: an entity text's length.
inline constexpr int kMaxSearchText = 255;
inline constexpr std::string_view kCaseItems[] = {"Upper Case", "Lower Case", "Sentence Case"};
inline constexpr std::string_view kIncItems[] = {"First Number in Text", "Second Number in Text",
                                                 "Last Number in Text", "Number at Start of Text",
                                                 "Number at End of Text"};

// The Replace Text dialog's groups are 398 wide; `wider` is how much wider a dialog's are.
inline constexpr std::array<ControlSpec, 4> SearchGroupControls(int wider) {
    constexpr Edges kStretch = kLeft | kTop | kRight;
    return {{
        {"eOldText",
         Kind::Edit,
         "GroupBox1",
         {11, 25, 377 + wider, 23},
         "",
         kStretch,
         {},
         kMaxSearchText},
        {"chbCase", Kind::CheckBox, "GroupBox1", {11, 54, 97, 17}, "Case Sensitive"},
        {"chbWord", Kind::CheckBox, "GroupBox1", {147, 54, 97, 17}, "Whole Word"},
        {"chbEntity", Kind::CheckBox, "GroupBox1", {276, 54, 97, 17}, "Whole Entity"},
    }};
}

inline constexpr std::array<ControlSpec, 8> ReplaceGroupControls(int wider) {
    constexpr Edges kStretch = kLeft | kTop | kRight;
    return {{
        {"rbText", Kind::RadioButton, "GroupBox2", {12, 24, 54, 17}, "Text:"},
        {"eNewText",
         Kind::Edit,
         "GroupBox2",
         {64, 21, 325 + wider, 23},
         "",
         kStretch,
         {},
         kMaxSearchText},
        {"rbChangeCase",
         Kind::RadioButton,
         "GroupBox2",
         {12, 62, 190, 17},
         "Change case of entire entity to"},
        {"cbCaseOptions",
         Kind::DropDownList,
         "GroupBox2",
         {200, 60, 129, 23},
         "",
         kNearEdges,
         kCaseItems},
        {"rbIncrement", Kind::RadioButton, "GroupBox2", {12, 100, 83, 17}, "Increment"},
        {"cbIncOptions",
         Kind::DropDownList,
         "GroupBox2",
         {99, 98, 145, 23},
         "",
         kNearEdges,
         kIncItems},
        {"Label1", Kind::Label, "GroupBox2", {250, 102, 0, 0}, "by"},
        {"seIncrement", Kind::SpinEdit, "GroupBox2", {269, 98, 60, 24}, ""},
    }};
}

// The rows of several parts of a table, one after the other.
template <std::size_t... N>
constexpr std::array<ControlSpec, (N + ...)> JoinRows(const std::array<ControlSpec, N>&... parts) {
    std::array<ControlSpec, (N + ...)> rows{};
    std::size_t next = 0;
    ((std::copy(parts.begin(), parts.end(), rows.begin() + static_cast<std::ptrdiff_t>(next)),
      next += N),
     ...);
    return rows;
}

} // namespace qx::form
