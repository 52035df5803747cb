#include "controller/replace_form_runner.h"

#include "controller/host_calls.h"
#include "dialogs/replace_form_io.h"
#include "dialogs/replace_text_dialog.h"
#include "platform/platform.h"
#include "settings/form_placement.h"

#include <QDialog>

namespace qx {

bool RunReplaceTextForm(StartField field) {
    // No labels while the dialog is open.
    call::Lblsinit();
    call::lblson();
    TfmReplaceText form;
    settings::RestoreFormPos(form, settings::PlacementFile::Macro);
    form.startField = static_cast<std::int32_t>(field);
    FillReplaceForm(form);
    const bool ok = platform::RunModal(form) == QDialog::Accepted;
    if (ok)
        ReadReplaceForm(form);
    settings::SaveFormPos(form, settings::PlacementFile::Macro);
    return ok;
}

} // namespace qx
