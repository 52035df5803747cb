// The layer dialog's grid in the native view: a one-column list view that shows every layer of
// LayerDetails and paints each row from its layer alone (dialogs/form/layer_row_look.h). The list
// view's own selection is never used; its focused item is the current row, where keys act and
// Shift+click ranges start. Keys and clicks become the choice rules of dialogs/layer_details.h.
#pragma once

#include "dialogs/layer_details.h"

#include <windows.h>

#include <optional>

namespace qx::win32 {

class LayerGridView {
public:
    explicit LayerGridView(LayerDetailList& rows) : rows_(rows) {}

    // The list view the grid lives in, once the window has created it.
    void Attach(HWND listView);
    // One list row per layer, and `current` (or none) as the current row.
    void Populate(int current);
    // The current row, kNoRow when the grid is empty.
    int CurrentRow() const;
    void SetCurrentRow(int row);
    // Applies one of the quick choices and repaints.
    void ApplyChoice(int (*choice)(LayerDetailList&, int));
    // The column keeps the grid's width.
    void FitColumn();

    // A message to the list view: true when the grid consumed it.
    bool Message(UINT message, WPARAM wParam, LPARAM lParam);
    // The list view's custom drawing, through its parent's notification.
    std::optional<LRESULT> CustomDraw(NMHDR& header);

private:
    void Repaint();
    int RowAt(int y) const;

    LayerDetailList& rows_;
    HWND list_ = nullptr;
};

} // namespace qx::win32
