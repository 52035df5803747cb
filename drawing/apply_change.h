// Writing pending changes back into the drawing, with the run's counters, report lines and
// result message.
#pragma once

#include <cstdint>

namespace qx {

enum class ApplyOutcome : std::uint8_t {
    // Nothing was written: no such entry, the entity is gone, or its flag writes nothing.
    Unchanged,
    // The entity got its new text; the caller draws it again.
    Changed,
    // A smart entity the user chose to collect during a confirm-each review: it is marked as
    // dealt with, and the caller offers it (curEnt) to a selection set.
    CollectSmartEntity,
};

// Applies the entry at curIndex of the pending list and reads its entity into curEnt.
ApplyOutcome ApplyPendingChange();

// Composes the run's result message, writes it on the host's error line and puts it last in
// the report lines.
void WriteResultMessage();

} // namespace qx
