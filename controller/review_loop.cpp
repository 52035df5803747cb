// The review loop of a change run: the matches are applied one by one, without a question or
// after the user's answer, then length errors get a second pass.
#include "controller/host_calls.h"
#include "controller/review_forms.h"
#include "controller/review_window.h"
#include "controller/selection_set_choice.h"
#include "controller/states.h"
#include "drawing/apply_change.h"
#include "drawing/hilite_box.h"
#include "drawing/pending_list.h"
#include "drawing/view_position.h"
#include "host/res_layout.h"

#include <algorithm>

namespace qx {
namespace {

using host::KeyF;
using host::KeyS;
using Flag = PendingChangeFlag;

std::size_t Index(const QuillexL& s) {
    return static_cast<std::size_t>(s.curIndex);
}

// An entry is shown when the user confirms each change (always in the length-error pass) and
// has not said Yes to All.
bool IsShown(const QuillexL& s) {
    return (s.confirmEach || s.state == stLenReview) && !s.skipConfirm;
}

void SetReviewLabels(const PendingChangeType& e) {
    if (e.Flag == Flag::LenError)
        call::Lblset(1, "Next", "Go to next matching entity");
    else
        call::Lblset(1, "Yes", "Yes - Update this entity");
    call::Lblset(2, "No", "No - Do NOT Update this entity");
    call::Lblset(5, "Yes to All", "Process all remaining matching entities");
    SetHiliteLabels(13);
    call::Lblset(20, "No to All", "Do NOT process any further entities");
}

// The user's answer for a shown entry: whether to apply it.
bool AnswerForShownEntry(QuillexL& s, PendingChangeType& e, std::int32_t key, bool apply) {
    if (key == KeyF(1)) {
        apply = e.Flag != Flag::LenError || *s.editedText != e.newstr;
        if (apply) {
            e.newstr = *s.editedText;
            if (e.Flag == Flag::LenError)
                e.Flag = Flag::ChgdLenError;
            (*s.pendingList)[Index(s)] = e;
        }
    } else if (key == KeyF(2)) {
        apply = false;
    } else if (key == KeyF(5)) {
        s.skipConfirm = true;
        apply = e.Flag != Flag::LenError;
    } else if (key == KeyS(3)) {
        s.returnState = s.state;
        s.state = stHiliteClr;
    } else if (key == KeyS(4)) {
        s.returnState = s.state;
        s.state = stHiliteWgt;
    } else if (key == KeyS(0)) {
        apply = false;
        s.state = s.rptChanges ? stResult : stMainMenu;
        WriteResultMessage();
    }
    // A length error is never applied unchanged.
    return e.Flag == Flag::LenError ? false : apply;
}

void MoveOn(QuillexL& s, bool applied) {
    if (applied)
        host::Host().ent_draw_dl(&s.curEnt, 1, 1);
    if (s.confirmEach && !s.skipConfirm)
        s.pendingList->erase(s.pendingList->begin() + s.curIndex);
    --s.curIndex;
    if (s.curIndex >= 0)
        return;
    WriteResultMessage();
    if (s.state == stLenReview)
        s.state = s.rptChanges ? stResult : stMainMenu;
    else
        s.state = stAfterReview;
}

} // namespace

void StartReviewSetup(QuillexL& s, std::int32_t* ret) {
    SortPending();
    s.curIndex = 0;
    host::Host().callNone(ret);
}

void StartReviewInput(QuillexL& s) {
    PendingList& list = *s.pendingList;
    if (list.empty()) {
        call::wrterr("No Matching Entities Found");
        s.state = stMainMenu;
        return;
    }
    host::Host().UndoStartTransaction();
    s.undoOpen = true;
    s.manualEditMade = false;
    s.state = stReview;
    std::reverse(list.begin(), list.end());
    s.curIndex = static_cast<std::int32_t>(list.size()) - 1;
    s.numEntsChanged = 0;
    s.numReplacements = 0;
    s.reportLines->clear();
    s.skipConfirm = !s.confirmEach;
    s.lastSelSet = 0;
}

void ReviewSetup(QuillexL& s, std::int32_t* ret) {
    if (!IsShown(s)) {
        host::Host().callNone(ret);
        return;
    }
    const PendingChangeType& e = (*s.pendingList)[Index(s)];
    call::wrtmsg("Left Click to reposition view on this entity");
    call::Lblsinit();
    call::wrtlvl("Do this Entity?");
    SetReviewLabels(e);
    call::lblson();
    EraseHiliteBox();
    if (host::Host().ent_get(&s.curEnt, e.adr, true))
        DrawHiliteBox(s.curEnt);
    ShowConfirmWindow(s, e);
    host::Host().getpointp(0, 0, s.res, ret);
}

void ReviewInput(QuillexL& s) {
    EraseHiliteBox();
    FreeReviewForm();
    const bool shown = IsShown(s);
    const host::Res res(s.res);
    if (shown && res.pointKind() == host::kResultKey && call::FnKeyConv(res.pointKey()) < 0) {
        s.returnState = s.state;
        s.state = stHostKey;
        return;
    }
    if (shown && res.pointKind() == host::kResultPoint) {
        RepositionView(res.pickedPoint());
        return;
    }
    PendingChangeType e = (*s.pendingList)[Index(s)];
    const bool lengthError = e.Flag == Flag::LenError || e.Flag == Flag::ChgdLenError;
    bool apply = s.skipConfirm && !(lengthError && s.state == stReview);
    if (shown)
        apply = AnswerForShownEntry(s, e, res.pointKey(), apply);
    if (apply) {
        ApplyReviewedChange();
        if (e.Flag == Flag::SmartEnt)
            apply = false;
    }
    if (s.state == stReview || s.state == stLenReview)
        MoveOn(s, apply);
}

void AfterReviewSetup(QuillexL& /*s*/, std::int32_t* ret) {
    host::Host().callNone(ret);
}

void AfterReviewInput(QuillexL& s) {
    PendingList& list = *s.pendingList;
    bool smart = false;
    bool lengthErrors = false;
    for (std::size_t i = list.size(); i-- > 0;) {
        const Flag f = list[i].Flag;
        smart = smart || f == Flag::SmartEnt;
        lengthErrors = lengthErrors || f == Flag::LenError || f == Flag::ChgdLenError;
        if (f != Flag::SmartEnt && f != Flag::LenError && f != Flag::ChgdLenError)
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
    }
    s.state = stMainMenu;
    if (list.empty())
        return;
    if (smart)
        MoveSmartEntsToSelectionSet(*s.pendingList);
    if (lengthErrors) {
        s.state = stLenReview;
        s.skipConfirm = false;
        s.curIndex = static_cast<std::int32_t>(list.size()) - 1;
    }
}

void HostKeySetup(QuillexL& s, std::int32_t* ret) {
    host::Host().callGlobalesc(host::Res(s.res).pointKey(), s.res, ret);
}

void HostKeyInput(QuillexL& s) {
    s.state = s.returnState;
}

} // namespace qx
