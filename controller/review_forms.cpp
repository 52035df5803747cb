#include "controller/review_forms.h"

#include "dialogs/forms.h"
#include "platform/platform.h"
#include "state/state_access.h"

#include <string>

namespace qx {

bool CreateReviewForm(ReviewFormKind kind) {
    QuillexL& s = State();
    const int wanted = static_cast<int>(kind);
    // Only the two windows exist; asking for another is as much a fault as asking for a second.
    const bool known = kind == ReviewFormKind::Confirm || kind == ReviewFormKind::FoundText;
    if (s.reviewFormKind != 0 || !known) {
        platform::ErrorBox("Unexpected Error displaying Form " + std::to_string(wanted) + "-" +
                           std::to_string(s.reviewFormKind) + " - please advise macro author");
        return false;
    }
    s.reviewForm = forms::CreateReviewWindow(static_cast<std::uint8_t>(kind));
    s.reviewFormKind = static_cast<std::uint8_t>(kind);
    return true;
}

void FreeReviewForm() {
    QuillexL& s = State();
    if (s.reviewFormKind != 0 && s.reviewForm) {
        forms::ReviewWindow* window = s.reviewForm.get();
        s.reviewForm = nullptr;
        forms::DestroyReviewWindow(window);
    }
    s.reviewFormKind = 0;
}

} // namespace qx
