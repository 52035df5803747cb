// The change report and the edit-text dialog as toolkit-free forms: their values, tab orders
// and tables of controls.
#pragma once

#include "dialogs/form/control_table.h"

#include <string>
#include <string_view>
#include <vector>

namespace qx::form {

// The change report: pairs of an "o" line and an "n" or "p" line, then one "r" line with the
// result message. Client area 421 x 244; the window may be resized freely.
struct TfmReport {
    std::vector<std::string> lines;

    // The hint of a new text of which only some matches could be replaced.
    static constexpr std::string_view kPartlyReplacedHint =
        "Not all instances of search string were updated due to max text length";

    static ControlTable Table();
    static TabOrder Tabs();
};

// The dialog in which the user rewrites the proposed text. Client area 628 x 60; only the width
// may change.
struct TfmEditText {
    std::string eNewText; // UTF-8

    static ControlTable Table();
    // The field, OK, Cancel.
    static TabOrder Tabs();
};

} // namespace qx::form
