#include "dialogs/review_forms.h"

#include "dialogs/confirm_window.h"
#include "dialogs/found_text_window.h"
#include "platform/platform.h"
#include "settings/form_placement.h"
#include "state/state_access.h"

#include <QWidget>

#include <string>

namespace qx {
namespace {

QWidget* MakeReviewForm(ReviewFormKind kind) {
    if (kind == ReviewFormKind::Confirm)
        return new TfmConfirm();
    return new TfmFoundText();
}

} // namespace

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
    QWidget* form = MakeReviewForm(kind);
    s.reviewForm = form;
    s.reviewFormKind = static_cast<std::uint8_t>(kind);
    settings::RestoreFormPos(*form, settings::PlacementFile::Shared);
    return true;
}

void FreeReviewForm() {
    QuillexL& s = State();
    if (s.reviewFormKind != 0 && s.reviewForm) {
        QWidget* form = s.reviewForm.get();
        s.reviewForm = nullptr;
        try {
            settings::SaveFormPos(*form, settings::PlacementFile::Shared);
        } catch (...) {
            // The window goes whatever happened to its placement.
        }
        delete form;
    }
    s.reviewFormKind = 0;
}

} // namespace qx
