// Bounds-checked, little-endian reads from an executable image held in memory. Every read
// says whether it fits; nothing here trusts an offset or a count taken from the image.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>

namespace qx::host {

inline std::optional<std::uint64_t> CheckedAdd(std::uint64_t a, std::uint64_t b) {
    if (a > std::numeric_limits<std::uint64_t>::max() - b)
        return std::nullopt;
    return a + b;
}

inline std::optional<std::uint64_t> CheckedMul(std::uint64_t a, std::uint64_t b) {
    if (a != 0 && b > std::numeric_limits<std::uint64_t>::max() / a)
        return std::nullopt;
    return a * b;
}

class ImageBytes {
public:
    explicit ImageBytes(std::span<const std::byte> bytes) : bytes_(bytes) {}

    std::uint64_t size() const { return bytes_.size(); }

    // True when the `length` bytes starting at `offset` all lie inside the image.
    bool Contains(std::uint64_t offset, std::uint64_t length) const {
        return offset <= size() && length <= size() - offset;
    }

    // The little-endian unsigned integer of `width` bytes (at most 8) at `offset`.
    std::optional<std::uint64_t> Uint(std::uint64_t offset, unsigned width) const {
        if (width > 8 || !Contains(offset, width))
            return std::nullopt;
        std::uint64_t value = 0;
        for (unsigned i = width; i-- > 0;)
            value = (value << 8) | std::to_integer<std::uint8_t>(bytes_[offset + i]);
        return value;
    }
    std::optional<std::uint64_t> U8(std::uint64_t offset) const { return Uint(offset, 1); }
    std::optional<std::uint64_t> U16(std::uint64_t offset) const { return Uint(offset, 2); }
    std::optional<std::uint64_t> U32(std::uint64_t offset) const { return Uint(offset, 4); }
    std::optional<std::uint64_t> U64(std::uint64_t offset) const { return Uint(offset, 8); }

    // The zero-terminated 8-bit text at `offset`. The text and its terminator must end before
    // `end`, the end of the table that holds it (clipped to the image).
    std::optional<std::string> CString(std::uint64_t offset, std::uint64_t end) const {
        end = std::min(end, size());
        if (offset >= end)
            return std::nullopt;
        const auto first = bytes_.begin() + static_cast<std::ptrdiff_t>(offset);
        const auto last = bytes_.begin() + static_cast<std::ptrdiff_t>(end);
        const auto nul = std::find(first, last, std::byte{0});
        if (nul == last)
            return std::nullopt;
        std::string text(static_cast<std::size_t>(nul - first), '\0');
        std::transform(first, nul, text.begin(), [](std::byte b) {
            return static_cast<char>(std::to_integer<unsigned char>(b));
        });
        return text;
    }

private:
    std::span<const std::byte> bytes_;
};

} // namespace qx::host
