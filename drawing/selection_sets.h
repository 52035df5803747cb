// Smart-text entities cannot be changed by the macro; instead the user may collect them in one
// of the host's selection sets and edit them there by hand.
#pragma once

#include "drawing/pending_change.h"
#include "host/host_types.h"

namespace qx {

// Asks for a set with the selection-set chooser and, on OK, names it "Quillset", empties it
// unless Append is ticked, adds the entities that can still be read, makes it the active set
// and remembers it in lastSelSet. Cancel changes nothing.
void AddToSelectionSet(const lglArray& addrs);

// The same for the one entity under review.
void AddEntityToSelectionSet(host::lgl_addr addr);

// The smart-text entries leave the list; they are offered to a selection set.
void MoveSmartEntsToSelectionSet(PendingList& list);

} // namespace qx
