// The layer selection dialog: every layer of the drawing in a grid, quick choices beside it,
// and below it the search and replacement controls of the Replace Text dialog. It closes with
// OK (1) to change, 11 to find only, or Cancel (2); neither looks at the choice of layers.
//
// Client area 438 x 480 at design size; the height may shrink to 270 (the outer 309) and grow,
// the width only grow. The two groups keep their distance to the bottom edge and the grid takes
// up what the window gains. Where the font needs more room for a text, the controls and these
// sizes grow (DesignLayout).
#pragma once

#include "dialogs/dialog_result.h"
#include "dialogs/form/layers_form.h"
#include "dialogs/layer_details.h"
#include "dialogs/replace_text_dialog.h"

class QLabel;
class QPushButton;

namespace qx {

class LayerGrid;

class TfmLayers : public TfmReplaceText {
    Q_OBJECT

public:
    // A dialog with a form model of its own.
    explicit TfmLayers(QWidget* parent = nullptr);
    // A view over the caller's form model, which must outlive the dialog.
    explicit TfmLayers(form::TfmLayers& model, QWidget* parent = nullptr);

    form::TfmLayers& layersModel() const { return layersModel_; }

    // Fills LayerDetails and the grid from the drawing, in the host's layer order. The active
    // layer starts selected; with the host's layer-dialog preselection on, so does every
    // unlocked layer that is on.
    void PopulateLayers();

    // One element per grid row, held by the model. The caller reads it after the dialog has
    // closed.
    LayerDetailList& LayerDetails;

    LayerGrid* sgLayers;
    QPushButton* btnActive;
    QPushButton* btnUnlockedOnLyrs;
    QPushButton* btnUnlockedLyrs;
    QPushButton* btnClear;
    QLabel* lblLocked;
    QLabel* lblUsedForHeight;
    QPushButton* Button1;

private:
    form::TfmLayers& layersModel_;

    void createLayerControls();
};

} // namespace qx
