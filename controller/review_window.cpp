#include "controller/review_window.h"

#include "controller/review_forms.h"
#include "dialogs/forms.h"
#include "host/codepage.h"

namespace qx {
namespace {

using Flag = PendingChangeFlag;

std::string Shown(std::string_view cp1252) {
    return host::Cp1252ToUtf8(cp1252);
}

bool CanEdit(Flag f) {
    return f != Flag::SmartEnt && f != Flag::FindOnly && f != Flag::FindOnlySmartEnt &&
           f != Flag::SmartEntConfirmed;
}

void FillTexts(form::TfmConfirm& w, const QuillexL& s, const PendingChangeType& e) {
    if (s.curEnt.enttype != host::kEntText) {
        w.lblReplace = "Smart Entity Text";
        w.lblOldTxt = Shown(e.newstr);
        w.lblNewTxt.clear();
        w.lblWith = "cannot be updated by this macro: Select 'F1 Yes' to add it to a "
                    "Selection Set for subsequent processing";
        return;
    }
    const host::str255 text = s.curEnt.text;
    w.lblOldTxt = Shown(text.view());
    w.lblNewTxt = Shown(e.newstr);
    w.lblMaxLengthVisible = e.Flag == Flag::LenError;
    w.lblWithNoteVisible = e.Flag == Flag::ChgdLenError;
}

} // namespace

void ShowConfirmWindow(QuillexL& s, const PendingChangeType& e) {
    if (!CreateReviewForm(ReviewFormKind::Confirm))
        return;
    *s.editedText = e.newstr;
    form::TfmConfirm w;
    w.btnEditEnabled = CanEdit(e.Flag);
    w.pNewStr = s.editedText.get();
    w.pManualEditMade = &s.manualEditMade;
    if (s.state == stLenReview)
        w.title = "Text Length Error";
    FillTexts(w, s, e);
    forms::ShowConfirm(*s.reviewForm, w);
}

} // namespace qx
