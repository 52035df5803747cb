// Ordering the matches of a change run before they are applied.
#pragma once

namespace qx {

// Sorts the state record's pending list by flag and drops the entries on locked layers (other
// than find-only ones), telling the user once when it dropped any.
void SortPending();

} // namespace qx
