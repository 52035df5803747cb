#include "drawing/pending_list.h"

#include "platform/platform.h"
#include "state/pending_change.h"
#include "state/state_access.h"

#include <algorithm>

namespace qx {
namespace {

// Find-only entries only show an entity, so a locked layer does not stand in their way.
bool BlockedByLock(const PendingChangeType& entry) {
    return entry.lyrLocked && entry.Flag != PendingChangeFlag::FindOnly &&
           entry.Flag != PendingChangeFlag::FindOnlySmartEnt;
}

} // namespace

void SortPending() {
    PendingList* list = State().pendingList.get();
    if (list == nullptr || list->empty())
        return;

    // Stable, so that entries of one kind keep the order in which the scan met them.
    std::ranges::stable_sort(*list, {}, [](const PendingChangeType& e) { return e.Flag; });

    // Removing keeps the order of the entries that stay, as a walk from the end would.
    const std::size_t dropped = std::erase_if(*list, BlockedByLock);
    if (dropped > 0)
        platform::InfoBox("Matching Entities on Locked Layers will NOT be modified");
}

} // namespace qx
