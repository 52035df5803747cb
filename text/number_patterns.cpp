#include "text/number_patterns.h"

#include "text/char_class.h"

#include <algorithm>

namespace qx::text {

// Both patterns are answered by one scan instead of a pattern engine, on every platform: "\d"
// is exactly 0-9 and every byte is one character, as in the Windows-1252 texts, so the only
// question is where the runs of digits lie. A test on Linux checks every answer against PCRE2.

bool HasNumber(std::string_view text) {
    return std::ranges::any_of(text, IsAsciiDigit);
}

bool HasSecondNumber(std::string_view text) {
    // "[\D]*[\d]+[\D]+([\d]+)" searched anywhere: a run of digits, then at least one
    // non-digit, then another digit.
    const auto digit = std::ranges::find_if(text, IsAsciiDigit);
    const auto gap = std::find_if_not(digit, text.end(), IsAsciiDigit);
    return std::find_if(gap, text.end(), IsAsciiDigit) != text.end();
}

} // namespace qx::text
