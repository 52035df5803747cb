// Find-only browsing: each match in turn, framed by the highlight box and shown in the floating
// found-text window, with an edit key for plain texts. Nothing is changed unless the user edits.
#include "controller/host_calls.h"
#include "controller/review_forms.h"
#include "controller/selection_set_choice.h"
#include "controller/states.h"
#include "dialogs/forms.h"
#include "drawing/hilite_box.h"
#include "host/codepage.h"
#include "host/res_layout.h"
#include "platform/platform.h"

namespace qx {
namespace {

using host::KeyF;
using host::KeyS;
using Flag = PendingChangeFlag;

std::string Shown(std::string_view cp1252) {
    return host::Cp1252ToUtf8(cp1252);
}

void EndFind(QuillexL& s) {
    s.state = stMainMenu;
    EraseHiliteBox();
    if (s.reviewFormKind == static_cast<std::uint8_t>(ReviewFormKind::FoundText))
        FreeReviewForm();
    EraseHiliteBox();
}

bool ConfirmLockedChange() {
    return platform::ConfirmBox(
        "Are you sure you wish to make a change to this entity on a Locked Layer?",
        /*defaultNo=*/true);
}

// Drops the entries whose entities were erased since the run; the first one left is read into
// curEnt.
void SkipErasedEntries(QuillexL& s) {
    PendingList& list = *s.pendingList;
    while (!list.empty() && !host::Host().ent_get(&s.curEnt, list.front().adr, true))
        list.erase(list.begin());
}

void SetFindLabels(QuillexL& s) {
    const PendingList& list = *s.pendingList;
    call::wrtlvl("Finding");
    call::Lblsinit();
    if (list.size() > 1)
        call::Lblset(1, "Next", "Go to next matching entity");
    else
        call::Lblset(1, "Done", "All matches have been found");
    if (!list.empty()) {
        if (list.front().Flag == Flag::FindOnlySmartEnt)
            call::Lblset(6, "SelSet Add", "Add this entity to a Selection Set");
        else
            call::Lblset(5, "Edit Text", "Edit the text of this entity");
        SetHiliteLabels(13);
        call::Lblset(20, "Exit", "Back to Quillex main menu");
    }
    call::wrtmsg("Left Click to reposition view on found entity");
    call::lblson();
}

void ShowFoundText(QuillexL& s, const PendingChangeType& e) {
    if (s.reviewFormKind != static_cast<std::uint8_t>(ReviewFormKind::FoundText))
        return;
    form::TfmFoundText w;
    w.lblFoundText = Shown(e.newstr);
    w.title = "Found on " + Shown(e.lyrname);
    forms::ShowFoundText(*s.reviewForm, w);
}

// Moves the current view so that the top-left corner of the entity's extent lies under the
// clicked point.
void MoveViewToEntity(QuillexL& s, const host::point& clicked) {
    const auto& h = host::Host();
    host::point lo, hi;
    h.ent_extent(&s.curEnt, &lo, &hi);
    h.view_setmode(0, 1);
    host::ViewRec view;
    h.view_getcurr(&view);
    const double x = view.x;
    const double y = view.y;
    view.x = lo.x - (clicked.x - x);
    view.y = hi.y - (clicked.y - y);
    h.view_setcurr(&view, true);
}

} // namespace

void FindSetup(QuillexL& s, std::int32_t* ret) {
    if (s.reviewFormKind == 0 && CreateReviewForm(ReviewFormKind::FoundText))
        forms::ShowReviewWindow(*s.reviewForm);
    host::Host().view_setmode(0, 1);
    SkipErasedEntries(s);
    SetFindLabels(s);
    EraseHiliteBox();
    if (s.pendingList->empty()) {
        host::Host().callNone(ret);
        return;
    }
    DrawHiliteBox(s.curEnt);
    host::Host().getpointp(0, 0, s.res, ret);
    ShowFoundText(s, s.pendingList->front());
}

void FindInput(QuillexL& s) {
    PendingList& list = *s.pendingList;
    if (list.empty()) {
        EndFind(s);
        return;
    }
    const host::Res res(s.res);
    if (res.pointKind() == host::kResultPoint) {
        MoveViewToEntity(s, res.pickedPoint());
        return;
    }
    if (res.pointKind() != host::kResultKey)
        return;
    const std::int32_t key = res.pointKey();
    if (call::FnKeyConv(key) < 0) {
        s.returnState = stFind;
        s.state = stHostKey;
    } else if (key == KeyF(1)) {
        list.erase(list.begin());
    } else if (key == KeyF(5)) {
        if (list.front().Flag == Flag::FindOnly)
            s.state = stFindEdit;
    } else if (key == KeyF(6)) {
        // The key's label promises it: the smart text on show goes to a selection set.
        if (list.front().Flag == Flag::FindOnlySmartEnt)
            AddEntityToSelectionSet(list.front().adr);
    } else if (key == KeyS(3)) {
        s.returnState = stFind;
        s.state = stHiliteClr;
    } else if (key == KeyS(4)) {
        s.returnState = stFind;
        s.state = stHiliteWgt;
    } else if (key == KeyS(0)) {
        EndFind(s);
    }
}

void FindEditSetup(QuillexL& s, std::int32_t* ret) {
    call::Lblsinit();
    call::Lblset(20, "Cancel", "Cancel Text Edit");
    call::lblson();
    call::wrtmsg("Edit Text");
    // The prompt starts from the entity's text, and the accepted text lands in curEnt.
    host::Host().callDGetstr255(&s.curEnt.text, 255, s.res, ret);
}

void FindEditInput(QuillexL& s) {
    s.state = stFind;
    if (host::Res(s.res).strKind() != host::kResultAccepted)
        return;
    host::LayerRec layer;
    const host::lgl_addr lyr = s.curEnt.lyr;
    host::Host().lyr_get(lyr, &layer);
    const std::int32_t lockWord = layer.lockWord;
    if (lockWord != host::kLayerUnlocked && !ConfirmLockedChange())
        return;
    host::Host().ent_updates(&s.curEnt);
    host::Host().ent_draw_dl(&s.curEnt, 1, 1);
}

} // namespace qx
