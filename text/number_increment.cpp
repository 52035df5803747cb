#include "text/number_increment.h"

#include "text/char_class.h"
#include "text/text_buffer.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <optional>
#include <string_view>

namespace qx::text {
namespace {

using Index = std::size_t;
constexpr auto kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr auto kInt32Min = std::numeric_limits<std::int32_t>::min();

// A 32-bit value has at most ten digits; the widest text is a sign, ten digits of fill and
// the digits themselves.
using NumberText = std::array<char, 24>;

struct Formatted {
    NumberText chars{};
    std::size_t size = 0;
    std::string_view view() const { return {chars.data(), size}; }
};

Index RunEnd(std::string_view text, Index from) {
    while (from < text.size() && IsAsciiDigit(text[from]))
        ++from;
    return from;
}

std::optional<std::int64_t> Sum(std::string_view digits, std::int32_t step) {
    if (digits.size() > 10)
        return std::nullopt;
    std::int64_t value = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    // Ten digits may overflow the signed 32-bit range: only a non-negative step whose sum
    // stays below the largest value is accepted.
    if (digits.size() == 10 && (step < 0 || value >= std::int64_t{kInt32Max} - step))
        return std::nullopt;
    const std::int64_t sum = value + step;
    // A huge step can push even a short number out of the 32-bit range; such a number is
    // treated like one that cannot be incremented rather than wrapped.
    if (sum > kInt32Max || sum < kInt32Min)
        return std::nullopt;
    return sum;
}

// Writes sum, zero-filled to width after any minus sign when fill is asked for.
Formatted Format(std::int64_t sum, std::size_t width, bool zeroFill) {
    Formatted out;
    std::array<char, 12> digits{};
    const std::int64_t magnitude = sum < 0 ? -sum : sum;
    const auto [end, ec] = std::to_chars(digits.data(), digits.data() + digits.size(), magnitude);
    const auto digitCount = static_cast<std::size_t>(end - digits.data());
    const std::size_t signCount = sum < 0 ? 1 : 0;
    if (signCount != 0)
        out.chars[out.size++] = '-';
    if (zeroFill) {
        for (std::size_t n = signCount + digitCount; n < width; ++n)
            out.chars[out.size++] = '0';
    }
    std::copy_n(digits.data(), digitCount, out.chars.data() + out.size);
    out.size += digitCount;
    return out;
}

template <class Buffer>
bool IncrementFrom(Buffer& buffer, std::int32_t step, bool& lenError, Index from,
                   std::int32_t maxLen) {
    const std::string_view text = buffer.view();
    if (from >= text.size())
        return false;
    const auto first =
        std::find_if(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), IsAsciiDigit);
    if (first == text.end())
        return false;
    const auto pos = static_cast<Index>(first - text.begin());
    const Index width = RunEnd(text, pos) - pos;
    const std::string_view digits = text.substr(pos, width);

    const std::optional<std::int64_t> sum = Sum(digits, step);
    if (!sum)
        return true;
    const Formatted number = Format(*sum, width, digits.front() == '0');
    const std::size_t newSize = text.size() - width + number.size;
    if (maxLen > 0 && newSize > static_cast<std::size_t>(maxLen)) {
        lenError = true;
        return true;
    }
    if (!buffer.Replace(pos, width, number.view()))
        lenError = true;
    return true;
}

// Where each routine starts its look for a number, as an index; nullopt when the number it
// wants is not there.
std::optional<Index> FirstStart(std::int32_t start) {
    return static_cast<Index>(std::max(start, 1) - 1);
}

std::optional<Index> SecondStart(std::string_view text) {
    const Index first = std::ranges::find_if(text, IsAsciiDigit) - text.begin();
    if (first >= text.size())
        return std::nullopt;
    const Index end = RunEnd(text, first);
    if (end >= text.size())
        return std::nullopt;
    return end;
}

std::optional<Index> LastStart(std::string_view text) {
    const auto last = std::find_if(text.rbegin(), text.rend(), IsAsciiDigit);
    if (last == text.rend())
        return std::nullopt;
    // Stepping back over the run leaves us on the character before it, or on the first
    // character when the run begins the text; the forward look then finds the run's start.
    const auto runStart = std::find_if_not(last, text.rend(), IsAsciiDigit);
    const auto before = static_cast<Index>(text.rend() - runStart);
    return before == 0 ? 0 : before - 1;
}

std::optional<Index> StartStart(std::string_view text) {
    if (text.empty() || !IsAsciiDigit(text.front()))
        return std::nullopt;
    return 0;
}

std::optional<Index> EndStart(std::string_view text) {
    if (text.empty() || !IsAsciiDigit(text.back()))
        return std::nullopt;
    return LastStart(text);
}

std::optional<Index> SearchStart(std::string_view text, NumberPosition position,
                                 std::int32_t start) {
    switch (position) {
    case NumberPosition::FirstFrom:
        return FirstStart(start);
    case NumberPosition::Second:
        return SecondStart(text);
    case NumberPosition::Last:
        return LastStart(text);
    case NumberPosition::AtStart:
        return StartStart(text);
    case NumberPosition::AtEnd:
        return EndStart(text);
    }
    return std::nullopt;
}

} // namespace

template <EditableText Text>
bool IncrementNumber(Text& text, NumberPosition position, std::int32_t step, bool& lenError,
                     std::int32_t start, std::int32_t maxLen) {
    auto buffer = detail::BufferFor(text);
    const std::optional<Index> from = SearchStart(buffer.view(), position, start);
    if (!from)
        return false;
    return IncrementFrom(buffer, step, lenError, *from, buffer.Limit(maxLen));
}

template bool IncrementNumber(std::string&, NumberPosition, std::int32_t, bool&, std::int32_t,
                              std::int32_t);
template bool IncrementNumber(host::str255&, NumberPosition, std::int32_t, bool&, std::int32_t,
                              std::int32_t);

} // namespace qx::text
