// The boundary between the macro's controller and a view of its dialogs, free of any toolkit.
//
// The controller fills a form model (dialogs/form/), asks the view to run or show it, and reads
// the model back. Each view implements every function below once: the Qt view in qx_dialogs_qt
// for Linux, a native view for Windows; the one linked into the macro is the one in use.
//
// A modal dialog runs inside the call: the view builds the dialog from the model's table, shows
// the model's values, puts the window where the user last left it (settings/form_placement.h),
// hands every user action to the model's rules, and on its close keeps the window's placement
// and leaves the user's values in the model. The result is one of dialogs/dialog_result.h.
//
// At most one floating window is open at a time; it lives from one call of the host to a later
// one, top-most and not modal. The controller keeps its handle in the state record.
#pragma once

#include "dialogs/form/layers_form.h"
#include "dialogs/form/replace_text_form.h"
#include "dialogs/form/review_forms_content.h"
#include "state/quillex_state.h"

#include <functional>

namespace qx::forms {

// Runs as a modal dialog closes, with its result, after the user's values are in the model and
// before the window's placement is kept: the controller reads the values there, so that the
// settings are written in the order the user's actions imply.
using Closing = std::function<void(int result)>;

// The Replace Text dialog. OK or Cancel.
int RunReplaceText(form::TfmReplaceText& form, const Closing& closing = {});
// The layer dialog, its layers filled from the drawing (TfmLayers::PopulateLayers). OK, Find
// Only or Cancel; the model's LayerDetails hold the choice.
int RunLayers(form::TfmLayers& form, const Closing& closing = {});

// The selection-set chooser for `entityCount` entities; its heading, rows and preselection come
// from the state record and the host. On OK the chosen set (0 to 7) and the Append tick.
struct SelSetChoice {
    int result = 0;
    int set = -1;
    bool append = false;
};
SelSetChoice RunSelSet(int entityCount);

// The change report over the report lines; it closes with OK, which nobody reads.
void RunReport(const ReportLines& lines);

// The floating windows. Create puts the window where the user last left it, hidden; Destroy
// keeps its placement and closes it.
ReviewWindow* CreateReviewWindow(std::uint8_t kind); // a ReviewFormKind
void DestroyReviewWindow(ReviewWindow* window);
void ShowReviewWindow(ReviewWindow& window);
// Fills the open confirm window from the model and shows it; its Edit button runs the edit
// dialog and hands the text to TfmConfirm::EditAccepted. The window keeps a copy of the model,
// whose pointers must stay valid while the window is open.
void ShowConfirm(ReviewWindow& window, form::TfmConfirm& form);
// Fills the open found-text window from the model.
void ShowFoundText(ReviewWindow& window, const form::TfmFoundText& form);

} // namespace qx::forms
