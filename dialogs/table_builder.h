// The Qt view builds a window's controls from its form table: one widget per row, named as the
// row (its objectName), inside the row's parent, at the designed place, with the caption, the
// entries, the text limit and the button role of the row. Check boxes that are no stops of the
// form's tab chain take the focus only from a click.
#pragma once

#include "dialogs/form/control_table.h"

class QWidget;

namespace qx {

class DesignLayout;

// Creates the controls of `table` below its window row inside `window`, which is the row's
// window. A control the window already has keeps its widget and takes the row's place and
// caption. Kinds the builder does not know how to make (grids, scroll boxes) are the window's
// own code's; it makes them before or after.
void BuildControls(QWidget& window, form::ControlTable table, form::TabOrder tabs);

// Ties each control of the table to the edges its row names, in `layout`.
void AnchorFromTable(DesignLayout& layout, QWidget& window, form::ControlTable table);
// Puts the window's controls in the tab order of the form.
void OrderTabs(QWidget& window, form::TabOrder tabs);

} // namespace qx
