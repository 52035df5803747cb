// The floating review windows: at most one exists at a time, and it lives from one call of the
// host to a later one.
#pragma once

#include "dialogs/form/review_form_kind.h"

namespace qx {

// Creates the confirm or the found-text window through the view (dialogs/forms.h), keeps it in
// the state record and puts it where the user last left it. The caller shows it, without making it
// modal. While a window is open a second one is refused with an error box, and false is returned.
bool CreateReviewForm(ReviewFormKind kind);

// Saves the open window's placement and destroys it; afterwards no window is open.
void FreeReviewForm();

} // namespace qx
