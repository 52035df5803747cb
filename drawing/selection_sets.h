// Smart-text entities cannot be changed by the macro; instead the user may collect them in one
// of the host's selection sets and edit them there by hand. This is the drawing's side of it:
// which entities go, and filling the set the user chose (the controller asks for it).
#pragma once

#include "host/host_types.h"
#include "state/pending_change.h"

#include <cstdint>

namespace qx {

// Whether a filled set keeps what it held.
enum class SetFilling : std::uint8_t { Replace, Append };

// Names set `set` (0 to 7) "Quillset", empties it unless appending, adds the entities that can
// still be read, makes it the active set and remembers it in lastSelSet.
void FillSelectionSet(int set, SetFilling filling, const lglArray& addrs);

// The smart-text entries leave the list; their entities are returned in the list's reverse
// order, the order in which they are offered to a set.
lglArray TakeSmartEnts(PendingList& list);

} // namespace qx
