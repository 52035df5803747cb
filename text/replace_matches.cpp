#include "text/replace_matches.h"

#include "text/char_class.h"
#include "text/text_buffer.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>

namespace qx::text {
namespace {

constexpr auto npos = std::string_view::npos;

// Eight bytes at a time. A drawing's texts mostly do not match, so finding where an occurrence
// might start is most of the engine's work. Each step loads the eight bytes that could hold an
// occurrence's first character and the eight that could hold its last, and keeps only the
// positions where both fit: a text without the search string rarely offers even one such
// position, so the loop runs without a branch it could mispredict, and the full compare is
// left for the few places worth it.
using Word = std::uint64_t;
constexpr Word kEveryByte = 0x0101010101010101;
constexpr Word kLowBits = 0x7F7F7F7F7F7F7F7F;
constexpr Word kCaseBits = kEveryByte * 0x20;

// The high bit of every byte of v that is zero, and of no other byte.
constexpr Word ZeroBytes(Word v) {
    return ~(((v & kLowBits) + kLowBits) | v | kLowBits);
}

Word LoadWord(const char* bytes) {
    Word word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

// One character of the search string as the scan compares it, ignoring ASCII letter case:
// a letter's case bit is set on both sides, which is exact for A-Z and a-z and needs no table;
// any other character must be equal.
class FoldedByte {
public:
    explicit FoldedByte(char c)
        : set_(IsAsciiUpper(c) || IsAsciiLower(c) ? kCaseBits : 0),
          pattern_(kEveryByte * static_cast<unsigned char>(IsAsciiUpper(c) ? AsciiToLower(c) : c)) {
    }

    // The high bit of every byte of the eight at `bytes` that matches.
    Word MatchesIn(const char* bytes) const {
        return ZeroBytes((LoadWord(bytes) | set_) ^ pattern_);
    }
    bool Matches(char c) const {
        return static_cast<unsigned char>((static_cast<unsigned char>(c) | set_) ^ pattern_) == 0;
    }

private:
    Word set_;
    Word pattern_;
};

bool EqualFolded(const char* a, const char* b, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i]))
            return false;
    }
    return true;
}

// The first occurrence of search (not empty, not longer than text) in text at or after from,
// ignoring ASCII letter case. Folding compares on the fly instead of building folded copies,
// so a text that does not match costs no allocation.
std::size_t FindFolded(std::string_view text, std::string_view search, std::size_t from) {
    const std::size_t last = text.size() - search.size();
    const std::size_t lastOffset = search.size() - 1;
    const FoldedByte first(search.front());
    const FoldedByte final(search.back());
    const auto occursAt = [&](std::size_t at) {
        return EqualFolded(text.data() + at + 1, search.data() + 1, lastOffset);
    };
    // The word loop tells byte positions from the lowest set bit, which is the first byte only
    // in little-endian order; elsewhere the byte loop does all the work.
    if constexpr (std::endian::native == std::endian::little) {
        // Both loads of a step stay inside the text: the second ends at from + lastOffset + 8,
        // which is at most the text's size while from + 7 <= last.
        for (; from + 7 <= last; from += sizeof(Word)) {
            Word hits = first.MatchesIn(text.data() + from) &
                        final.MatchesIn(text.data() + from + lastOffset);
            for (; hits != 0; hits &= hits - 1) {
                const std::size_t at = from + static_cast<std::size_t>(std::countr_zero(hits)) / 8;
                if (occursAt(at))
                    return at;
            }
        }
    }
    for (; from <= last; ++from) {
        if (first.Matches(text[from]) && final.Matches(text[from + lastOffset]) && occursAt(from))
            return from;
    }
    return npos;
}

// The first occurrence of search in text at or after from.
std::size_t FindFrom(std::string_view text, std::string_view search, std::size_t from,
                     CaseSens caseSens) {
    if (caseSens == CaseSens::Yes)
        return text.find(search, from);
    if (search.size() > text.size())
        return npos;
    return FindFolded(text, search, from);
}

bool StandsAlone(std::string_view text, std::size_t pos, std::size_t len) {
    if (pos > 0 && IsWordChar(text[pos - 1]))
        return false;
    const std::size_t after = pos + len;
    return after >= text.size() || !IsWordChar(text[after]);
}

template <class Buffer>
std::int32_t Replace(Buffer& buffer, std::string_view search, std::string_view replacement,
                     MatchOptions options, bool& lenError, TestOnly testOnly, std::int32_t maxLen) {
    if (search.empty())
        return 0;
    if (options.wholeEnts == WholeEnts::Yes && buffer.view().size() != search.size())
        return 0;

    // Edits move the text under any view into it, so search and replacement strings that
    // point into the text itself are copied first.
    std::string searchCopy;
    std::string replacementCopy;
    if (testOnly == TestOnly::No && buffer.Overlaps(search))
        search = searchCopy.assign(search);
    if (testOnly == TestOnly::No && buffer.Overlaps(replacement))
        replacement = replacementCopy.assign(replacement);

    const std::int32_t limit = buffer.Limit(maxLen);
    const auto growth =
        static_cast<std::int64_t>(replacement.size()) - static_cast<std::int64_t>(search.size());
    std::int64_t count = 0;
    bool overflow = false;
    std::size_t pos = 0;
    while (true) {
        const std::string_view text = buffer.view();
        pos = FindFrom(text, search, pos, options.caseSens);
        if (pos == npos)
            break;
        if (options.wholeWords == WholeWords::Yes && !StandsAlone(text, pos, search.size())) {
            ++pos;
            continue;
        }
        if (limit > 0 && static_cast<std::int64_t>(text.size()) + growth > limit) {
            overflow = true;
            break;
        }
        if (testOnly == TestOnly::Yes)
            return 1;
        if (!buffer.Replace(pos, search.size(), replacement)) {
            overflow = true;
            break;
        }
        pos += replacement.size();
        ++count;
    }
    if (overflow)
        lenError = true;
    return static_cast<std::int32_t>(
        std::min<std::int64_t>(count, std::numeric_limits<std::int32_t>::max()));
}

} // namespace

std::int32_t ReplaceMatches(std::string& text, std::string_view search,
                            std::string_view replacement, MatchOptions options, bool& lenError,
                            TestOnly testOnly, std::int32_t maxLen) {
    auto buffer = detail::BufferFor(text);
    return Replace(buffer, search, replacement, options, lenError, testOnly, maxLen);
}

std::int32_t ReplaceMatches(host::str255& text, std::string_view search,
                            std::string_view replacement, MatchOptions options, bool& lenError,
                            TestOnly testOnly, std::int32_t maxLen) {
    auto buffer = detail::BufferFor(text);
    return Replace(buffer, search, replacement, options, lenError, testOnly, maxLen);
}

} // namespace qx::text
