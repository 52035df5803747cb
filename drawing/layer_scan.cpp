#include "drawing/layer_scan.h"

#include "drawing/drawing_scan.h"
#include "host/host_records.h"
#include "host/host_table.h"
#include "state/state_access.h"

namespace qx {

void ScanLayers(const lglArray& layers) {
    if (PendingList* pending = State().pendingList.get())
        pending->clear();
    const auto& h = host::Host();
    for (const host::lgl_addr layer : layers) {
        host::ModeRec mode;
        h.mode_init(&mode);
        h.mode_1lyr(&mode, layer);
        ScanEntities(mode);
    }
}

} // namespace qx
