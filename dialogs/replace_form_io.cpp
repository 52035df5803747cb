#include "dialogs/replace_form_io.h"

#include "dialogs/drop_down_list.h"
#include "dialogs/replace_text_dialog.h"
#include "dialogs/whole_number_spin_field.h"
#include "host/codepage.h"
#include "settings/settings_keys.h"
#include "state/state_access.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

#include <string>

namespace qx {
namespace {

QString ToWidgetText(const host::str255& text) {
    return QString::fromStdString(host::Cp1252ToUtf8(text.view()));
}

// Characters the code page cannot hold become '?'; str255 keeps the first 255.
host::str255 FromWidgetText(const QLineEdit& field) {
    return host::str255(host::Utf8ToCp1252Lossy(field.text().toStdString()));
}

// Shows the entry the operation names when its option is the chosen one, else the entry last
// used, else leaves the list as it is.
void ShowEntry(QComboBox& list, int operation, OperationRange family, int lastUsed) {
    if (family.Contains(operation)) {
        list.setCurrentIndex(family.IndexOf(operation));
        return;
    }
    if (lastUsed >= 0 && lastUsed < family.Count())
        list.setCurrentIndex(lastUsed);
}

std::uint8_t OperationOf(const TfmReplaceText& form) {
    if (form.rbIncrement->isChecked())
        return kIncOperations.At(form.cbIncOptions->currentIndex());
    if (form.rbChangeCase->isChecked())
        return kCaseOperations.At(form.cbCaseOptions->currentIndex());
    return opReplace;
}

} // namespace

void FillReplaceForm(TfmReplaceText& form) {
    const QuillexL& state = State();
    form.populating = true;

    form.eOldText->setText(ToWidgetText(state.searchStr));
    form.eNewText->setText(ToWidgetText(state.replaceStr));
    form.chbCase->setChecked(state.caseSens);
    form.chbWord->setChecked(state.wholeWords);
    form.chbEntity->setChecked(state.wholeEnts);

    const int operation = state.operation;
    const bool changeCase = kCaseOperations.Contains(operation);
    const bool increment = kIncOperations.Contains(operation);
    if (changeCase)
        form.rbChangeCase->setChecked(true);
    ShowEntry(*form.cbCaseOptions, operation, kCaseOperations, state.lastCase);
    if (increment)
        form.rbIncrement->setChecked(true);
    ShowEntry(*form.cbIncOptions, operation, kIncOperations, state.lastInc);

    form.seIncrement->setValue(state.increment);
    // The field reports nothing when it already shows this value, yet the zero rule must know
    // the value the dialog starts with.
    form.applyZeroRule();

    if (!changeCase && !increment) {
        form.rbText->setChecked(true);
        TfmReplaceText::takeOutOfTabOrder(*form.rbText);
    }
    form.populating = false;
}

void ReadReplaceForm(TfmReplaceText& form) {
    using settings::SaveBool;
    using settings::SaveInt;
    using settings::SaveText;
    using settings::SettingKey;
    QuillexL& state = State();

    state.searchStr = FromWidgetText(*form.eOldText);
    state.caseSens = form.chbCase->isChecked();
    state.wholeWords = form.chbWord->isChecked();
    state.wholeEnts = form.chbEntity->isChecked();
    SaveText(SettingKey::SearchStr, state.searchStr.str());
    SaveBool(SettingKey::WholeEnts, state.wholeEnts);
    SaveBool(SettingKey::WholeWords, state.wholeWords);
    SaveBool(SettingKey::CaseSens, state.caseSens);

    state.replaceStr = FromWidgetText(*form.eNewText);
    SaveText(SettingKey::ReplaceStr, state.replaceStr.str());

    state.operation = OperationOf(form);
    SaveInt(SettingKey::Operation, state.operation);

    // Both list entries are kept whichever option is chosen, so the next filling shows them.
    state.increment = form.seIncrement->value();
    state.lastInc = form.cbIncOptions->currentIndex();
    SaveInt(SettingKey::Increment, state.increment);
    SaveInt(SettingKey::LastInc, state.lastInc);

    state.lastCase = form.cbCaseOptions->currentIndex();
    SaveInt(SettingKey::LastCase, state.lastCase);
}

} // namespace qx
