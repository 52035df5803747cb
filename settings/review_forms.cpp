#include "settings/review_forms.h"

#include "controller/state_access.h"
#include "settings/form_placement.h"

#include <QWidget>

namespace qx {

void FreeReviewForm() {
    QuillexL& s = State();
    if (s.reviewFormKind != 0 && s.reviewForm) {
        QWidget* form = s.reviewForm.get();
        s.reviewForm = nullptr;
        try {
            settings::SaveFormPos(*form, true);
        } catch (...) {
            // The window goes whatever happened to its placement.
        }
        delete form;
    }
    s.reviewFormKind = 0;
}

} // namespace qx
