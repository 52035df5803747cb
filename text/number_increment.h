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
// leaves the text as it was.
//
// The text is a std::string, where maxLen of 0 or below means no limit, or the host's str255,
// edited in place, where the limit is always at most 255.
//
// The new number has no leading zeros, except when the run began with 0: then it is filled
// with zeros to the run's width, after the minus sign of a negative result ("007" - 10 gives
// "-03"). A wider result is never cut.
#pragma once

#include "host/host_types.h"
#include "text/entity_text.h"

#include <concepts>
#include <cstdint>
#include <string>

namespace qx::text {

template <class Text>
concept EditableText = std::same_as<Text, std::string> || std::same_as<Text, host::str255>;

// Which number of the text an increment looks for.
enum class NumberPosition {
    FirstFrom, // the first number that begins at a given position (1 is the first character)
    Second,    // the first number that begins after the end of the first number
    Last,      // the last number of the text
    AtStart,   // the number at the very start of the text, if it starts with a digit
    AtEnd,     // the number at the very end of the text, if it ends with a digit
};

// The one routine behind all the forms below. `start` counts only for FirstFrom.
template <EditableText Text>
bool IncrementNumber(Text& text, NumberPosition position, std::int32_t step, bool& lenError,
                     std::int32_t start, std::int32_t maxLen);

template <EditableText Text>
bool IncrementNumberFrom(Text& text, std::int32_t step, bool& lenError, std::int32_t start,
                         std::int32_t maxLen = kEntityTextMax) {
    return IncrementNumber(text, NumberPosition::FirstFrom, step, lenError, start, maxLen);
}

template <EditableText Text>
bool IncrementSecondNumber(Text& text, std::int32_t step, bool& lenError,
                           std::int32_t maxLen = kEntityTextMax) {
    return IncrementNumber(text, NumberPosition::Second, step, lenError, 1, maxLen);
}

template <EditableText Text>
bool IncrementLastNumber(Text& text, std::int32_t step, bool& lenError,
                         std::int32_t maxLen = kEntityTextMax) {
    return IncrementNumber(text, NumberPosition::Last, step, lenError, 1, maxLen);
}

template <EditableText Text>
bool IncrementStartNumber(Text& text, std::int32_t step, bool& lenError,
                          std::int32_t maxLen = kEntityTextMax) {
    return IncrementNumber(text, NumberPosition::AtStart, step, lenError, 1, maxLen);
}

template <EditableText Text>
bool IncrementEndNumber(Text& text, std::int32_t step, bool& lenError,
                        std::int32_t maxLen = kEntityTextMax) {
    return IncrementNumber(text, NumberPosition::AtEnd, step, lenError, 1, maxLen);
}

} // namespace qx::text
