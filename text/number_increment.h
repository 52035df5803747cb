// Adding a step to one number of a text. A number is a maximal run of the digits 0-9; signs,
// decimal points and separators are ordinary text, so "1.5" holds the numbers 1 and 5.
//
// Every routine returns whether it found the number it looks for. The text changes only when
// the number was found, could be incremented and the result fits maxLen:
// - a run of up to nine digits is incremented unless the sum leaves the 32-bit signed range;
// - a run of ten digits only with a step of 0 or more and a sum below 2147483647;
// - a run of eleven or more digits never.
// A number that cannot be incremented is still found: the routine returns true and leaves the
// text and lenError as they are. A result longer than maxLen sets lenError (never cleared) and
// leaves the text as it was. maxLen of 0 or below means no limit; the str255 forms always limit
// to at most 255.
//
// The new number has no leading zeros, except when the run began with 0: then it is filled
// with zeros to the run's width, after the minus sign of a negative result ("007" - 10 gives
// "-03"). A wider result is never cut.
#pragma once

#include "host/host_types.h"

#include <cstdint>
#include <string>

namespace qx::text {

// The first number that begins at position start (1 is the first character) or later.
bool IncrementNumberFrom(std::string& text, std::int32_t step, bool& lenError, std::int32_t start,
                         std::int32_t maxLen);
bool IncrementNumberFrom(host::str255& text, std::int32_t step, bool& lenError, std::int32_t start,
                         std::int32_t maxLen = 255);

// The first number that begins after the end of the first number.
bool IncrementSecondNumber(std::string& text, std::int32_t step, bool& lenError,
                           std::int32_t maxLen);
bool IncrementSecondNumber(host::str255& text, std::int32_t step, bool& lenError,
                           std::int32_t maxLen = 255);

// The last number of the text.
bool IncrementLastNumber(std::string& text, std::int32_t step, bool& lenError, std::int32_t maxLen);
bool IncrementLastNumber(host::str255& text, std::int32_t step, bool& lenError,
                         std::int32_t maxLen = 255);

// The number at the very start of the text, if the text starts with a digit.
bool IncrementStartNumber(std::string& text, std::int32_t step, bool& lenError,
                          std::int32_t maxLen);
bool IncrementStartNumber(host::str255& text, std::int32_t step, bool& lenError,
                          std::int32_t maxLen = 255);

// The number at the very end of the text, if the text ends with a digit.
bool IncrementEndNumber(std::string& text, std::int32_t step, bool& lenError, std::int32_t maxLen);
bool IncrementEndNumber(host::str255& text, std::int32_t step, bool& lenError,
                        std::int32_t maxLen = 255);

} // namespace qx::text
