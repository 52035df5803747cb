#include "controller/selected_layers_scan.h"

#include "dialogs/dialog_result.h"
#include "dialogs/forms.h"
#include "drawing/layer_scan.h"
#include "state/state_access.h"

namespace qx {

bool ScanSelectedLayers() {
    QuillexL& s = State();
    form::TfmLayers form;
    form.FillFrom(s);
    form.startField = form::StartField::FirstTabStop;
    s.numEntsChanged = 0;
    s.numReplacements = 0;

    bool accepted = false;
    forms::RunLayers(form, [&](int result) {
        accepted = result == kResultOk || result == kResultFindOnly;
        if (!accepted)
            return;
        s.findOnly = result == kResultFindOnly;
        form.ReadInto(s);
        ScanLayers(form.ChosenLayers());
    });
    return accepted;
}

} // namespace qx
