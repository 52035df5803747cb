// A whole-layer search: the layer dialog, then a scan of every layer the user chose.
#pragma once

namespace qx {

// Runs the layer dialog filled from the state record. On "Process Selected Layers Now" or
// "Find Only" it stores the dialog's search back, marks whether the run only finds, empties the
// pending list and scans the chosen layers in the dialog's order; it returns true then. Cancel
// changes nothing and returns false. The dialog's placement is kept either way.
bool ScanSelectedLayers();

} // namespace qx
