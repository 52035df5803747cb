// The floating review windows: at most one exists at a time, and it lives from one call of the
// host to a later one.
#pragma once

#include <cstdint>

namespace qx {

enum class ReviewFormKind : std::uint8_t { None = 0, Confirm = 1, FoundText = 2 };

// Saves the open window's placement and destroys it; afterwards no window is open.
void FreeReviewForm();

} // namespace qx
