// The limit every entity text lives under.
#pragma once

#include <cstdint>

namespace qx::text {

// The most characters an entity text (a str255) may hold.
inline constexpr std::int32_t kEntityTextMax = 255;

} // namespace qx::text
