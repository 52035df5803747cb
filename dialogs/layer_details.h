// One layer row of the layer dialog, and the rules by which the user's choice of layers
// changes. The rules are plain functions over the rows, apart from any widget, so that the
// grid's key and mouse handlers only translate events into them.
#pragma once

#include "host/host_types.h"

#include <string>
#include <vector>

namespace qx {

struct LyrDtl {
    host::lgl_addr layeraddr;
    std::string name; // the host's 8-bit text
    bool ison = false;
    bool islocked = false;
    bool isactive = false;
    bool isSelected = false;
};

using LayerDetailList = std::vector<LyrDtl>;

// No row: the grid is empty or a click fell below the last row.
inline constexpr int kNoRow = -1;

// The quick choices of the buttons beside the grid. Each returns the row that becomes current,
// or `current` when the rule names no row. Locked layers are never chosen by "On Layers" and
// "All Layers": the dialog tells the user so beside the buttons.
int SelectActiveOnly(LayerDetailList& rows, int current);
int SelectUnlockedOnLayers(LayerDetailList& rows, int current);
int SelectUnlockedLayers(LayerDetailList& rows, int current);
int ClearLayerSelection(LayerDetailList& rows, int current);

// Space on the current row: toggles it; a row that becomes selected without Ctrl held becomes
// the only selected one.
void ToggleCurrentRow(LayerDetailList& rows, int current, bool ctrl);

// Up or Down by one row. Only a move changes the choice: with Ctrl the new row toggles, else
// with Shift it is added. Returns the new current row.
int StepCurrentRow(LayerDetailList& rows, int current, int step, bool ctrl, bool shift);

// A left click on `clicked` (kNoRow below the last row). Returns the new current row.
int ClickRow(LayerDetailList& rows, int current, int clicked, bool ctrl, bool shift);

} // namespace qx
