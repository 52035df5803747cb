#include "text/replace_matches.h"

#include "text/char_class.h"
#include "text/text_buffer.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace qx::text {
namespace {

constexpr auto npos = std::string_view::npos;

bool EqualFolded(const char* a, const char* b, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i]))
            return false;
    }
    return true;
}

// The next position in [from, last] that may start an occurrence of a search string whose
// folded first character is first. Letters are compared with the case bit masked out, which
// is exact for A-Z and costs no table lookup in the hot loop.
std::size_t NextCandidate(std::string_view text, std::size_t from, std::size_t last, char first) {
    if (!IsAsciiUpper(first)) {
        const void* hit = std::memchr(text.data() + from, first, last - from + 1);
        return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text.data()) : npos;
    }
    const char lower = AsciiToLower(first);
    for (std::size_t i = from; i <= last; ++i) {
        if ((text[i] | 0x20) == lower)
            return i;
    }
    return npos;
}

// The first occurrence of search in text at or after from. Folding compares on the fly
// instead of building folded copies, so a text that does not match costs no allocation.
std::size_t FindFrom(std::string_view text, std::string_view search, std::size_t from,
                     CaseSens caseSens) {
    if (caseSens == CaseSens::Yes)
        return text.find(search, from);
    if (search.size() > text.size())
        return npos;
    const char first = static_cast<char>(FoldAscii(search.front()));
    const std::size_t last = text.size() - search.size();
    for (std::size_t i = from; i <= last; ++i) {
        i = NextCandidate(text, i, last, first);
        if (i == npos)
            return npos;
        if (EqualFolded(text.data() + i + 1, search.data() + 1, search.size() - 1))
            return i;
    }
    return npos;
}

bool StandsAlone(std::string_view text, std::size_t pos, std::size_t len) {
    if (pos > 0 && IsWordChar(text[pos - 1]))
        return false;
    const std::size_t after = pos + len;
    return after >= text.size() || !IsWordChar(text[after]);
}

template <class Buffer>
std::int32_t Replace(Buffer& buffer, std::string_view search, std::string_view replacement,
                     CaseSens caseSens, WholeWords wholeWords, WholeEnts wholeEnts, bool& lenError,
                     TestOnly testOnly, std::int32_t maxLen) {
    if (search.empty())
        return 0;
    if (wholeEnts == WholeEnts::Yes && buffer.view().size() != search.size())
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
        pos = FindFrom(text, search, pos, caseSens);
        if (pos == npos)
            break;
        if (wholeWords == WholeWords::Yes && !StandsAlone(text, pos, search.size())) {
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
                            std::string_view replacement, CaseSens caseSens, WholeWords wholeWords,
                            WholeEnts wholeEnts, bool& lenError, TestOnly testOnly,
                            std::int32_t maxLen) {
    auto buffer = detail::BufferFor(text);
    return Replace(buffer, search, replacement, caseSens, wholeWords, wholeEnts, lenError, testOnly,
                   maxLen);
}

std::int32_t ReplaceMatches(host::str255& text, std::string_view search,
                            std::string_view replacement, CaseSens caseSens, WholeWords wholeWords,
                            WholeEnts wholeEnts, bool& lenError, TestOnly testOnly,
                            std::int32_t maxLen) {
    auto buffer = detail::BufferFor(text);
    return Replace(buffer, search, replacement, caseSens, wholeWords, wholeEnts, lenError, testOnly,
                   maxLen);
}

} // namespace qx::text
