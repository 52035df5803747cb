// Which floating review window is open; the state record keeps it as a byte.
#pragma once

#include <cstdint>

namespace qx {

enum class ReviewFormKind : std::uint8_t { None = 0, Confirm = 1, FoundText = 2 };

} // namespace qx
