// Filling and showing the floating confirm window for the entry under review.
#pragma once

#include "state/pending_change.h"
#include "state/quillex_state.h"

namespace qx {

// Opens the confirm window for entry `e` (curEnt holds its entity) and shows it without
// waiting; the user answers through the host's keys or the window's buttons.
void ShowConfirmWindow(QuillexL& s, const PendingChangeType& e);

} // namespace qx
