#include "drawing/selection_sets.h"

#include "dialogs/dialog_result.h"
#include "dialogs/selset_dialog.h"
#include "host/host_table.h"
#include "platform/platform.h"
#include "settings/form_placement.h"
#include "state/state_access.h"

#include <cstdint>

namespace qx {
namespace {

constexpr const char* kSetName = "Quillset";
// The host keeps a flag of its own in bit 15 of the mask; every other bit marks a set, and
// only the filled one stays marked.
constexpr std::int32_t kKeptMaskBits = 0x8000;

struct Choice {
    int set = -1;
    bool append = false;
};

Choice AskForSet(int entityCount) {
    TfmSelSet form(entityCount);
    settings::RestoreFormPos(form, settings::PlacementFile::Macro);
    Choice choice;
    if (platform::RunModal(form) == kResultOk) {
        choice.set = form.chosenSet();
        choice.append = form.appendTicked();
    }
    settings::SaveFormPos(form, settings::PlacementFile::Macro);
    return choice;
}

void FillSet(int set, bool append, const lglArray& addrs) {
    const host::HostTable& h = host::Host();
    const host::str255 name(kSetName);
    h.ssSetName(set, &name);
    if (!append)
        h.ssClear(set);
    for (const host::lgl_addr addr : addrs) {
        // An entity erased since the scan is simply left out.
        host::EntityRec ent;
        if (h.ent_get(&ent, addr, true))
            h.ssAdd(set, &ent);
    }
}

void MakeActiveSet(int set) {
    host::SaveVarRec* saved = host::Host().PGSavevar();
    if (saved == nullptr)
        return;
    // Read and written by value: the mask sits unaligned in the host's packed record.
    const std::int32_t old = saved->selSetMask;
    saved->selSetMask = (old & kKeptMaskBits) | (std::int32_t{1} << set);
}

} // namespace

void AddToSelectionSet(const lglArray& addrs) {
    const Choice choice = AskForSet(static_cast<int>(addrs.size()));
    if (choice.set < 0)
        return;
    State().lastSelSet = choice.set + 1;
    FillSet(choice.set, choice.append, addrs);
    MakeActiveSet(choice.set);
}

void AddEntityToSelectionSet(host::lgl_addr addr) {
    AddToSelectionSet(lglArray{addr});
}

void MoveSmartEntsToSelectionSet(PendingList& list) {
    lglArray smart;
    for (std::size_t i = list.size(); i-- > 0;) {
        if (list[i].Flag != PendingChangeFlag::SmartEnt)
            continue;
        smart.push_back(list[i].adr);
        list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
    }
    if (!smart.empty())
        AddToSelectionSet(smart);
}

} // namespace qx
