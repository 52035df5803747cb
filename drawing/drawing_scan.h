// The drawing scan: walks the entities of a scan mode and records every entity the chosen
// operation concerns in the state record's pending list. It never changes the drawing.
#pragma once

#include "host/host_records.h"

namespace qx {

// Narrows the mode to text and smart-text entities and appends an entry for every entity the
// operation concerns, in the order the host yields them.
void ScanEntities(host::ModeRec& mode);

} // namespace qx
