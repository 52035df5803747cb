// Fitting a form's table of controls to the texts the view measured, free of any toolkit: the
// window and each group box fit their controls as every view does (dialogs/container_fit.h), inner
// group boxes first, so a text that needs more room grows its control, its group box and the
// window, and a design whose texts fit comes out exactly as drawn. Also the placing of a fitted
// control when its parent is resized, by the control's anchors.
//
// Children of a scroll box are left as designed: the view that owns the scroll box lays them
// out itself.
#pragma once

#include "dialogs/container_fit.h"
#include "dialogs/form/control_table.h"

#include <cstddef>
#include <vector>

namespace qx::win32 {

using Size = fit::Size;

// What a view measured of each row of the table, in its font.
class TextNeeds {
public:
    virtual ~TextNeeds() = default;
    // The least size at which the row's control shows its whole text; 0 on an axis where the
    // text sets no bound. For a group box, the width its title needs.
    virtual Size Least(std::size_t row) const = 0;
    // The height a word-wrapping control needs at `width`; 0 for any other control.
    virtual int HeightForWidth(std::size_t row, int width) const = 0;
    // The spacing a text keeps to the next control: a space of the font.
    virtual int TextSpacing(std::size_t row) const = 0;
    // The room a group box keeps above its controls for its title.
    virtual int TitleHeight(std::size_t row) const = 0;
};

struct FittedTable {
    // Per row, the fitted rectangle in its parent's client area; row 0 holds the window's
    // fitted client size.
    std::vector<form::Rect> rects;
    // Per row, the row of the container whose size moves it when resized (the window or a
    // group box); -1 for the window's own row and for the rows a view lays out itself.
    std::vector<int> container;
};

// The design of a row: its table rectangle, or for a label drawn without a size the size of
// its text.
form::Rect DesignRect(const form::ControlSpec& spec, Size least);

FittedTable FitTable(form::ControlTable table, const TextNeeds& needs);

// Where a control of fitted rectangle `fitted` goes when its container is `delta` larger than
// its fitted size.
form::Rect Follow(const form::Rect& fitted, Size delta, form::Edges anchors);

// The row of the control named `name`, or -1.
int RowNamed(form::ControlTable table, std::string_view name);

} // namespace qx::win32
