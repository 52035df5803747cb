#include "controller/selection_set_choice.h"

#include "dialogs/dialog_result.h"
#include "dialogs/forms.h"
#include "drawing/selection_sets.h"
#include "state/state_access.h"

namespace qx {

void AddToSelectionSet(const lglArray& addrs) {
    const forms::SelSetChoice choice = forms::RunSelSet(static_cast<int>(addrs.size()));
    if (choice.result != kResultOk || choice.set < 0)
        return;
    FillSelectionSet(choice.set, choice.append ? SetFilling::Append : SetFilling::Replace, addrs);
}

void AddEntityToSelectionSet(host::lgl_addr addr) {
    AddToSelectionSet(lglArray{addr});
}

void MoveSmartEntsToSelectionSet(PendingList& list) {
    const lglArray smart = TakeSmartEnts(list);
    if (!smart.empty())
        AddToSelectionSet(smart);
}

ApplyOutcome ApplyReviewedChange() {
    const ApplyOutcome outcome = ApplyPendingChange();
    if (outcome == ApplyOutcome::CollectSmartEntity) {
        // Copied out: curEnt sits unaligned in the state record.
        const host::lgl_addr addr = State().curEnt.addr;
        AddEntityToSelectionSet(addr);
    }
    return outcome;
}

} // namespace qx
