#include "drawing/selection_sets.h"

#include "host/host_table.h"
#include "state/state_access.h"

namespace qx {
namespace {

constexpr const char* kSetName = "Quillset";
// The host keeps a flag of its own in bit 15 of the mask; every other bit marks a set, and
// only the filled one stays marked.
constexpr std::int32_t kKeptMaskBits = 0x8000;

void MakeActiveSet(int set) {
    host::SaveVarRec* saved = host::Host().PGSavevar();
    if (saved == nullptr)
        return;
    // Read and written by value: the mask sits unaligned in the host's packed record.
    const std::int32_t old = saved->selSetMask;
    saved->selSetMask = (old & kKeptMaskBits) | (std::int32_t{1} << set);
}

} // namespace

void FillSelectionSet(int set, SetFilling filling, const lglArray& addrs) {
    State().lastSelSet = set + 1;
    const host::HostTable& h = host::Host();
    const host::str255 name(kSetName);
    h.ssSetName(set, &name);
    if (filling == SetFilling::Replace)
        h.ssClear(set);
    for (const host::lgl_addr addr : addrs) {
        // An entity erased since the scan is simply left out.
        host::EntityRec ent;
        if (h.ent_get(&ent, addr, true))
            h.ssAdd(set, &ent);
    }
    MakeActiveSet(set);
}

lglArray TakeSmartEnts(PendingList& list) {
    lglArray smart;
    for (std::size_t i = list.size(); i-- > 0;) {
        if (list[i].Flag != PendingChangeFlag::SmartEnt)
            continue;
        smart.push_back(list[i].adr);
        list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
    }
    return smart;
}

} // namespace qx
