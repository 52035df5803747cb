// Pattern tests that tell whether a text holds a number, for texts the macro only inspects.
#pragma once

#include <string_view>

namespace qx::text {

// Whether the text holds a digit anywhere (pattern "\d+").
bool HasNumber(std::string_view text);

// Whether the text holds two runs of digits separated by at least one non-digit
// (pattern "[\D]*[\d]+[\D]+([\d]+)", searched anywhere).
bool HasSecondNumber(std::string_view text);

} // namespace qx::text
