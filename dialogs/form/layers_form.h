// The layer selection dialog as a toolkit-free form: the Replace Text form's values and rules,
// and the drawing's layers with the user's choice of them (layer_details.h has the choice's
// rules). The grid comes first in its tab chain.
#pragma once

#include "dialogs/form/replace_text_form.h"
#include "dialogs/layer_details.h"

namespace qx::form {

class TfmLayers : public TfmReplaceText {
public:
    TfmLayers() { startField = StartField::FirstTabStop; }

    // One element per grid row, in the host's layer order.
    LayerDetailList LayerDetails;
    // The row that is current in the grid, or kNoRow.
    int currentRow = kNoRow;

    // Fills LayerDetails from the drawing. The active layer starts selected (and current); with
    // the host's layer-dialog preselection on, so does every unlocked layer that is on.
    void PopulateLayers();

    // The layers chosen, in the grid's order.
    std::vector<host::lgl_addr> ChosenLayers() const;

    ControlTable Table() const override;
    TabOrder Tabs() const override;
};

} // namespace qx::form
