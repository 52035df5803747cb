// Offering smart-text entities to one of the host's selection sets: the chooser dialog asks
// which set, the drawing fills it.
#pragma once

#include "drawing/apply_change.h"
#include "host/host_types.h"
#include "state/pending_change.h"

namespace qx {

// Asks for a set with the selection-set chooser and, on OK, fills it with the entities that
// can still be read (drawing/selection_sets.h). Cancel changes nothing.
void AddToSelectionSet(const lglArray& addrs);

// The same for the one entity under review.
void AddEntityToSelectionSet(host::lgl_addr addr);

// The smart-text entries leave the list; they are offered to a selection set.
void MoveSmartEntsToSelectionSet(PendingList& list);

// Applies the entry under review; a smart entity the user chose to collect is offered to a
// selection set at once.
ApplyOutcome ApplyReviewedChange();

} // namespace qx
