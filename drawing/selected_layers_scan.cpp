#include "drawing/selected_layers_scan.h"

#include "dialogs/dialog_result.h"
#include "dialogs/layers_dialog.h"
#include "dialogs/replace_form_io.h"
#include "drawing/drawing_scan.h"
#include "host/host_records.h"
#include "host/host_table.h"
#include "platform/platform.h"
#include "settings/form_placement.h"
#include "state/state_access.h"

namespace qx {
namespace {

void ScanChosenLayers(const LayerDetailList& layers) {
    const auto& h = host::Host();
    for (const LyrDtl& layer : layers) {
        if (!layer.isSelected)
            continue;
        host::ModeRec mode;
        h.mode_init(&mode);
        h.mode_1lyr(&mode, layer.layeraddr);
        ScanEntities(mode);
    }
}

} // namespace

bool ScanSelectedLayers() {
    QuillexL& s = State();
    TfmLayers form;
    settings::RestoreFormPos(form, settings::PlacementFile::Macro);
    form.PopulateLayers();
    FillReplaceForm(form);
    form.startField = -1;
    s.numEntsChanged = 0;
    s.numReplacements = 0;

    const int result = platform::RunModal(form);
    const bool accepted = result == kResultOk || result == kResultFindOnly;
    if (accepted) {
        s.findOnly = result == kResultFindOnly;
        ReadReplaceForm(form);
        if (PendingList* pending = s.pendingList.get())
            pending->clear();
        ScanChosenLayers(form.LayerDetails);
    }
    settings::SaveFormPos(form, settings::PlacementFile::Macro);
    return accepted;
}

} // namespace qx
