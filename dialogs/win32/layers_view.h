// The native view of the layer dialog: the Replace Text view's controls below a grid of the
// drawing's layers, with the quick choices beside it. It closes with OK, Find Only or Cancel;
// the model's LayerDetails hold the user's choice of layers.
#pragma once

#include "dialogs/form/layers_form.h"
#include "dialogs/win32/layer_grid_view.h"
#include "dialogs/win32/replace_text_view.h"

namespace qx::win32 {

class LayersView : public ReplaceTextView {
public:
    // The model's layers must be filled (TfmLayers::PopulateLayers) before the view is built.
    explicit LayersView(form::TfmLayers& form);

    LayerGridView& Grid() { return grid_; }

protected:
    bool Command(std::string_view name, UINT code) override;
    std::optional<LRESULT> Notify(std::string_view name, NMHDR& header) override;
    bool ControlMessage(std::string_view name, UINT message, WPARAM wParam, LPARAM lParam) override;
    void Show() override;

private:
    void Prepare();

    form::TfmLayers& layers_;
    LayerGridView grid_;
    bool prepared_ = false;
    // Where the focus was before a quick-choice button took it with its click: it goes back
    // there, as the buttons are no stops of the tab chain.
    HWND focusBeforeChoice_ = nullptr;
};

} // namespace qx::win32
