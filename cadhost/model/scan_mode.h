// The host's scan modes: which entities a walk with ent_first and ent_next visits. The mode
// record's layout is the host's own; these functions are the only ones that read or write it.
#pragma once

#include "host/host_records.h"
#include "host/host_types.h"

#include <cstdint>

namespace cadhost {

using qx::host::ModeRec;

enum class ScanKind : std::int32_t {
    None = 0,      // a record that was never initialised visits nothing
    Drawing = 1,   // every layer, in layer order
    Layer = 2,     // one layer
    Selection = 3, // the entities of one selection, in the order they were selected
};

ScanKind KindOf(const ModeRec& mode);

// The whole drawing, every entity type.
void InitMode(ModeRec& mode);
// One layer; a narrowing by type stays.
void SetModeLayer(ModeRec& mode, qx::host::lgl_addr layer);
// One selection made with the host's selection tools; a narrowing by type stays.
void SetModeSelection(ModeRec& mode, std::int32_t selection);
// Narrows the mode to the types given so far and this one. The first call narrows from "every
// type" to this type; later calls add types.
void AllowType(ModeRec& mode, std::uint8_t type);
bool AllowsType(const ModeRec& mode, std::uint8_t type);

} // namespace cadhost
