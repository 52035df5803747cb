// The host functions that set up scan modes.
#include "cadhost/exports/host_exports.h"
#include "cadhost/model/scan_mode.h"

CADHOST_EXPORT void mode_init(ModeRec* mode) {
    if (mode != nullptr) {
        cadhost::InitMode(*mode);
    }
}

CADHOST_EXPORT void mode_1lyr(ModeRec* mode, lgl_addr layer) {
    if (mode != nullptr) {
        cadhost::SetModeLayer(*mode, layer);
    }
}

CADHOST_EXPORT void mode_enttype(ModeRec* mode, i32 enttype) {
    // Types are bytes; anything else names no entity, so it narrows nothing.
    if (mode == nullptr || enttype < 0 || enttype > 255) {
        return;
    }
    cadhost::AllowType(*mode, static_cast<std::uint8_t>(enttype));
}
