#include "dialogs/replace_form_io.h"

#include "dialogs/replace_text_dialog.h"
#include "state/state_access.h"

namespace qx {

void FillReplaceForm(TfmReplaceText& form) {
    form.model().FillFrom(State());
    form.showValues();
}

void ReadReplaceForm(TfmReplaceText& form) {
    form.takeValues();
    form.model().ReadInto(State());
}

} // namespace qx
