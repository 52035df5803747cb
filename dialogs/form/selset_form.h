// The selection-set chooser as a toolkit-free form: its heading and title for the entities it
// is opened for, the preselection of the run's last set, the user's choice, its tab order and
// its table of controls. Client area 365 x 186; the controls keep their places on a resize.
#pragma once

#include "dialogs/form/control_table.h"

#include <string>

namespace qx {
struct QuillexL;
}

namespace qx::form {

struct TfmSelSet {
    // The window's title; empty keeps the designed one.
    std::string title;
    // The heading above the list.
    std::string Label1;
    // The chosen row, which is the host's set number (0 to 7), or -1.
    int lbSelSets = -1;
    bool chbAppend = false;
    // OK is enabled only once the user chose a row, also the preselected one.
    bool btnOKEnabled = false;

    // The heading for `entityCount` entities, and the run's last set preselected with Append
    // ticked. While the review asks about each entity, the chooser is about the one under
    // review.
    void FillFrom(const QuillexL& state, int entityCount);
    // The user chose a row (a click, also on the row already chosen, or a key).
    void RowChosen(int row);

    static ControlTable Table();
    // OK, the list, Cancel, Append.
    static TabOrder Tabs();
};

} // namespace qx::form
