// Writing pending changes back into the drawing, with the run's counters, report lines and
// result message.
#pragma once

namespace qx {

// Applies the entry at curIndex of the pending list. True when the entity was changed (the
// caller then draws it again).
bool ApplyPendingChange();

// Composes the run's result message, writes it on the host's error line and puts it last in
// the report lines.
void WriteResultMessage();

} // namespace qx
