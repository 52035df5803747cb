#include "controller/replace_form_runner.h"

#include "controller/host_calls.h"
#include "dialogs/dialog_result.h"
#include "dialogs/forms.h"
#include "state/state_access.h"

namespace qx {

bool RunReplaceTextForm(StartField field) {
    // No labels while the dialog is open.
    call::Lblsinit();
    call::lblson();
    form::TfmReplaceText form;
    form.startField = field;
    form.FillFrom(State());
    return forms::RunReplaceText(form, [&form](int result) {
               if (result == kResultOk)
                   form.ReadInto(State());
           }) == kResultOk;
}

} // namespace qx
