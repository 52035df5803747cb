// The drawing state that DXF has no field for: the drawing attributes (where the macro keeps
// its per-drawing settings), the selection sets and the selection-set mask. From R13 on they
// are kept where other DXF readers look for such things: an XRECORD named CADHOST_DRAWING in
// the named object dictionary, and one GROUP per selection set, named CADHOST_SELSET_0 to
// CADHOST_SELSET_7 in the group dictionary, with the set's name as the group's description.
#pragma once

#include "cadhost/formats/dxf/document.h"
#include "cadhost/formats/dxf/edits.h"
#include "cadhost/model/drawing.h"

#include <vector>

namespace cadhost::dxf {

HostState CaptureState(const Drawing& drawing);

// Reads the store from the OBJECTS section's tags into the drawing and lays out where a save
// writes it. `objectsEnd` is where the section's ENDSEC begins.
void ReadStateStore(const Document& doc, const std::vector<Tag>& objects, std::size_t objectsEnd,
                    Drawing& drawing, StoreLayout& layout);

// The edits that replace the stored state by the drawing's: cadhost's earlier objects and
// their dictionary entries go, new ones with new handles come, and $HANDSEED is raised.
std::vector<Edit> StateStoreEdits(const Document& doc, const Drawing& drawing);

} // namespace cadhost::dxf
