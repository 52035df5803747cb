#include "controller/review_window.h"

#include "dialogs/confirm_window.h"
#include "dialogs/label_auto_height.h"
#include "dialogs/review_forms.h"
#include "host/codepage.h"

#include <QLabel>
#include <QPushButton>
#include <QString>

namespace qx {
namespace {

using Flag = PendingChangeFlag;

QString Shown(std::string_view cp1252) {
    return QString::fromStdString(host::Cp1252ToUtf8(cp1252));
}

bool CanEdit(Flag f) {
    return f != Flag::SmartEnt && f != Flag::FindOnly && f != Flag::FindOnlySmartEnt &&
           f != Flag::SmartEntConfirmed;
}

void FillTexts(TfmConfirm& w, const QuillexL& s, const PendingChangeType& e) {
    if (s.curEnt.enttype != host::kEntText) {
        w.lblReplace->setText("Smart Entity Text");
        w.lblOldTxt->setText(Shown(e.newstr));
        w.lblNewTxt->setText(QString());
        w.lblWith->setText("cannot be updated by this macro: Select 'F1 Yes' to add it to a "
                           "Selection Set for subsequent processing");
        return;
    }
    const host::str255 text = s.curEnt.text;
    w.lblOldTxt->setText(Shown(text.view()));
    w.lblNewTxt->setText(Shown(e.newstr));
    w.lblMaxLength->setVisible(e.Flag == Flag::LenError);
    w.lblWithNote->setVisible(e.Flag == Flag::ChgdLenError);
}

} // namespace

void ShowConfirmWindow(QuillexL& s, const PendingChangeType& e) {
    if (!CreateReviewForm(ReviewFormKind::Confirm))
        return;
    auto* w = static_cast<TfmConfirm*>(s.reviewForm.get());
    *s.editedText = e.newstr;
    w->btnEdit->setEnabled(CanEdit(e.Flag));
    w->pNewStr = s.editedText.get();
    w->pManualEditMade = &s.manualEditMade;
    if (s.state == stLenReview)
        w->setWindowTitle("Text Length Error");
    FillTexts(*w, s, e);
    w->fitLabels();
    w->show();
}

} // namespace qx
