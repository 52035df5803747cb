// In-place editing of the two kinds of text the engine works on: a std::string of any length
// and the host's str255. Editing in place means a text that is not changed costs no copy and
// no allocation, which matters because the engine runs over every text of a drawing.
#pragma once

#include "host/host_types.h"
#include "text/entity_text.h"

#include <cstddef>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>

namespace qx::text::detail {

// Limits for entity texts: a limit of 0 or below, or one above the capacity, is the capacity,
// because a str255 cannot hold more and cutting a text short would corrupt it.
constexpr std::int32_t EntityLimit(std::int32_t maxLen) {
    return maxLen <= 0 || maxLen > kEntityTextMax ? kEntityTextMax : maxLen;
}

class StringBuffer {
public:
    explicit StringBuffer(std::string& text) : text_(text) {}

    std::string_view view() const { return text_; }
    bool Overlaps(std::string_view other) const { return Overlap(view(), other); }
    // A std::string takes any limit; 0 or below means none.
    static constexpr std::int32_t Limit(std::int32_t maxLen) { return maxLen; }

    // Replaces len characters at pos; always succeeds.
    bool Replace(std::size_t pos, std::size_t len, std::string_view with) {
        text_.replace(pos, len, with);
        return true;
    }

    static bool Overlap(std::string_view a, std::string_view b) {
        if (a.empty() || b.empty())
            return false;
        const std::less<const char*> before;
        return before(a.data(), b.data() + b.size()) && before(b.data(), a.data() + a.size());
    }

private:
    std::string& text_;
};

class Str255Buffer {
public:
    static constexpr std::size_t kCapacity = sizeof(host::str255::text);
    static_assert(kCapacity == kEntityTextMax);

    explicit Str255Buffer(host::str255& text) : text_(text) {}

    std::string_view view() const { return text_.view(); }
    static constexpr std::int32_t Limit(std::int32_t maxLen) { return EntityLimit(maxLen); }
    bool Overlaps(std::string_view other) const {
        return StringBuffer::Overlap({text_.text, kCapacity}, other);
    }

    // Replaces len characters at pos. Refuses, leaving the text as it was, when the result
    // would not fit: truncating would silently corrupt the text.
    bool Replace(std::size_t pos, std::size_t len, std::string_view with) {
        const std::size_t size = text_.len;
        const std::size_t newSize = size - len + with.size();
        if (newSize > kCapacity)
            return false;
        std::memmove(text_.text + pos + with.size(), text_.text + pos + len, size - pos - len);
        if (!with.empty())
            std::memcpy(text_.text + pos, with.data(), with.size());
        text_.len = static_cast<std::uint8_t>(newSize);
        return true;
    }

private:
    host::str255& text_;
};

// The editing buffer for either kind of text, so that one template serves both.
inline StringBuffer BufferFor(std::string& text) {
    return StringBuffer(text);
}
inline Str255Buffer BufferFor(host::str255& text) {
    return Str255Buffer(text);
}

} // namespace qx::text::detail
