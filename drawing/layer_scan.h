// A whole-layer search: every entity of the given layers, scanned as the run's search asks.
#pragma once

#include "state/pending_change.h"

namespace qx {

// Empties the pending list and scans each layer in the order given; the found entries are
// added to the pending list.
void ScanLayers(const lglArray& layers);

} // namespace qx
