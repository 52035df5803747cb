// The Qt view's side of the boundary in dialogs/forms.h.
#include "dialogs/forms.h"

#include "dialogs/confirm_window.h"
#include "dialogs/dialog_result.h"
#include "dialogs/form/review_form_kind.h"
#include "dialogs/found_text_window.h"
#include "dialogs/label_auto_height.h"
#include "dialogs/layers_dialog.h"
#include "dialogs/report_dialog.h"
#include "dialogs/selset_dialog.h"
#include "dialogs/window_placement.h"
#include "platform/platform.h"

namespace qx::forms {

namespace {

// Runs a dialog over its form where the user last left it; the form holds the user's values
// before `closing` runs and the placement is kept.
template <class Dialog>
int RunPlaced(Dialog& dialog, const form::TfmReplaceText& form, const Closing& closing) {
    dialog.startField = static_cast<std::int32_t>(form.startField);
    dialog.showValues();
    const int result = platform::RunModal(dialog);
    dialog.takeValues();
    if (closing)
        closing(result);
    SaveWindowPlace(dialog, settings::PlacementFile::Macro);
    return result;
}

} // namespace

int RunReplaceText(form::TfmReplaceText& form, const Closing& closing) {
    TfmReplaceText dialog(form);
    RestoreWindowPlace(dialog, settings::PlacementFile::Macro);
    return RunPlaced(dialog, form, closing);
}

int RunLayers(form::TfmLayers& form, const Closing& closing) {
    TfmLayers dialog(form);
    RestoreWindowPlace(dialog, settings::PlacementFile::Macro);
    dialog.PopulateLayers();
    return RunPlaced(dialog, form, closing);
}

SelSetChoice RunSelSet(int entityCount) {
    TfmSelSet dialog(entityCount);
    RestoreWindowPlace(dialog, settings::PlacementFile::Macro);
    SelSetChoice choice;
    choice.result = platform::RunModal(dialog);
    if (choice.result == kResultOk) {
        choice.set = dialog.chosenSet();
        choice.append = dialog.appendTicked();
    }
    SaveWindowPlace(dialog, settings::PlacementFile::Macro);
    return choice;
}

void RunReport(const ReportLines& lines) {
    TfmReport report;
    report.PopulateReport(lines);
    platform::RunModal(report);
}

ReviewWindow* CreateReviewWindow(std::uint8_t kind) {
    ReviewWindow* window = nullptr;
    if (kind == static_cast<std::uint8_t>(ReviewFormKind::Confirm))
        window = new TfmConfirm();
    else if (kind == static_cast<std::uint8_t>(ReviewFormKind::FoundText))
        window = new TfmFoundText();
    if (window != nullptr)
        RestoreWindowPlace(*window, settings::PlacementFile::Shared);
    return window;
}

void DestroyReviewWindow(ReviewWindow* window) {
    if (window == nullptr)
        return;
    try {
        SaveWindowPlace(*window, settings::PlacementFile::Shared);
    } catch (...) {
        // The window goes whatever happened to its placement.
    }
    delete window;
}

void ShowReviewWindow(ReviewWindow& window) {
    window.show();
}

void ShowConfirm(ReviewWindow& window, form::TfmConfirm& form) {
    auto* confirm = qobject_cast<TfmConfirm*>(&window);
    if (confirm == nullptr)
        return;
    confirm->showForm(form);
    confirm->show();
}

void ShowFoundText(ReviewWindow& window, const form::TfmFoundText& form) {
    auto* found = qobject_cast<TfmFoundText*>(&window);
    if (found == nullptr)
        return;
    found->lblFoundText->setText(QString::fromStdString(form.lblFoundText));
    found->setWindowTitle(QString::fromStdString(form.title));
    found->fitLabels();
}

} // namespace qx::forms
