// The floating review windows: at most one exists at a time, and it lives from one call of the
// host to a later one.
#pragma once

#include <cstdint>

namespace qx {

enum class ReviewFormKind : std::uint8_t { None = 0, Confirm = 1, FoundText = 2 };

// Creates the confirm or the found-text window, owned by the application, keeps it in the state
// record and puts it where the user last left it. The caller shows it, without making it modal.
// While a window is open a second one is refused with an error box, and false is returned.
bool CreateReviewForm(ReviewFormKind kind);

// Saves the open window's placement and destroys it; afterwards no window is open.
void FreeReviewForm();

} // namespace qx
