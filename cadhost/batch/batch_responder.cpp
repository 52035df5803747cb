#include "cadhost/batch/batch_responder.h"

#include "host/automation_contract.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QListWidget>
#include <QTableView>
#include <QTest>

#include <algorithm>

namespace cadhost::batch {
namespace {

namespace automation = qx::automation;
using qx::host::BoxAnswer;
using qx::host::BoxKind;

template <typename T> T* Child(QDialog& dialog, const char* name) {
    return dialog.findChild<T*>(QString::fromLatin1(name));
}

void Click(QWidget& widget) {
    QTest::mouseClick(&widget, Qt::LeftButton, Qt::NoModifier, widget.rect().center());
}

// The dialog is shown as it would be on a screen, so that its widgets have their sizes and a
// click lands where a person would click.
void Show(QDialog& dialog) {
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    QCoreApplication::processEvents();
}

int Close(QDialog& dialog) {
    if (dialog.isVisible())
        dialog.reject();
    return dialog.result();
}

} // namespace

void BatchResponder::Reset() {
    layerChoice_.reset();
    selectionSet_.reset();
    setChosenBefore_ = false;
    problem_.clear();
    notes_.clear();
}

BoxAnswer BatchResponder::ShowMessageBox(BoxKind kind, const std::string& caption,
                                         const std::string& text, bool /*defaultNo*/) {
    switch (kind) {
    case BoxKind::Error:
        Fail("the macro reported an error: " + text);
        return BoxAnswer::Ok;
    case BoxKind::Confirmation:
        // Nothing a batch run does leads to a question; whatever asks one is refused.
        Note(caption + ": " + text + " (answered No)");
        return BoxAnswer::No;
    case BoxKind::Information:
    case BoxKind::Warning:
        Note(text);
        return BoxAnswer::Ok;
    }
    return BoxAnswer::Ok;
}

void BatchResponder::Beep() {
    Fail("the macro beeped at an answer it did not expect");
}

int BatchResponder::RunModal(QDialog& dialog) {
    const std::string name = dialog.objectName().toStdString();
    if (name == automation::kLayersForm)
        return AnswerLayerDialog(dialog);
    if (name == automation::kSelectionSetForm)
        return AnswerSelectionSetChooser(dialog);
    if (name == automation::kReportForm) {
        // The report shows what the batch reads from the drawing itself: dismiss it.
        Show(dialog);
        if (auto* dismiss = Child<QAbstractButton>(dialog, automation::kSecondButton))
            Click(*dismiss);
        return Close(dialog);
    }
    Fail("the macro opened the dialog " + name + ", which a batch run does not answer");
    return QDialog::Rejected;
}

int BatchResponder::AnswerLayerDialog(QDialog& dialog) {
    if (!layerChoice_) {
        Fail("the macro opened the layer dialog unasked");
        return QDialog::Rejected;
    }
    const LayerChoice choice = *layerChoice_;
    layerChoice_.reset();
    Show(dialog);
    auto* grid = Child<QTableView>(dialog, automation::kLayerGrid);
    auto* clear = Child<QAbstractButton>(dialog, automation::kClearButton);
    auto* button = Child<QAbstractButton>(dialog, choice.button == LayerChoice::Button::FindOnly
                                                      ? automation::kSecondButton
                                                      : automation::kOkButton);
    if (grid == nullptr || clear == nullptr || button == nullptr) {
        Fail("the layer dialog lacks its layer grid or its buttons");
        return Close(dialog);
    }
    Click(*clear);
    for (const int row : choice.rows) {
        if (row < 0 || row >= grid->model()->rowCount()) {
            Fail("the layer dialog has no row " + std::to_string(row + 1));
            return Close(dialog);
        }
        // Ctrl+click adds a row to the choice, as a person picks several layers.
        const QModelIndex index = grid->model()->index(row, 0);
        grid->scrollTo(index);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          grid->visualRect(index).center());
    }
    Click(*button);
    const int result = Close(dialog);
    const int wanted =
        choice.button == LayerChoice::Button::FindOnly ? qx::kResultFindOnly : qx::kResultOk;
    if (result != wanted)
        Fail("the layer dialog did not close with the button the batch pressed");
    return result;
}

int BatchResponder::AnswerSelectionSetChooser(QDialog& dialog) {
    Show(dialog);
    auto* list = Child<QListWidget>(dialog, automation::kSelectionSetList);
    auto* append = Child<QCheckBox>(dialog, automation::kAppendCheck);
    auto* ok = Child<QAbstractButton>(dialog, automation::kOkButton);
    if (!selectionSet_ || list == nullptr || append == nullptr || ok == nullptr) {
        Fail("the selection-set chooser cannot be answered");
        return Close(dialog);
    }
    if (*selectionSet_ >= list->count()) {
        Fail("the selection-set chooser has no set " + std::to_string(*selectionSet_));
        return Close(dialog);
    }
    // A click on the set's row chooses it, also when the chooser offers it already.
    QListWidgetItem* row = list->item(*selectionSet_);
    list->scrollToItem(row);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualItemRect(row).center());
    // The set starts empty for this drawing; later smart texts of the drawing join it.
    if (append->isChecked() != setChosenBefore_)
        Click(*append);
    if (!ok->isEnabled()) {
        Fail("the selection-set chooser does not take set " + std::to_string(*selectionSet_));
        return Close(dialog);
    }
    Click(*ok);
    setChosenBefore_ = true;
    return Close(dialog);
}

bool BatchResponder::OpenDocument(const std::string& /*path*/) {
    return false;
}

void BatchResponder::SendKey(std::int32_t /*key*/) {
    // The batch answers the macro through its requests, never through its windows' buttons.
}

void BatchResponder::Note(const std::string& text) {
    if (std::find(notes_.begin(), notes_.end(), text) == notes_.end())
        notes_.push_back(text);
}

void BatchResponder::Fail(const std::string& text) {
    if (problem_.empty())
        problem_ = text;
}

} // namespace cadhost::batch
