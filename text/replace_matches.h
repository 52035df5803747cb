// The one rule by which a search string is found in a text and, in a replace run, replaced.
#pragma once

#include "host/host_types.h"
#include "text/entity_text.h"
#include "text/match_options.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace qx::text {

// Finds the occurrences of search in text and replaces each acceptable one by replacement,
// from left to right. Text that comes from a replacement is never searched again.
//
// Without options.caseSens, only the ASCII letters a-z and A-Z match each other; with wholeWords,
// an occurrence must not touch a word character (0-9, A-Z, a-z) on either side; with wholeEnts, the
// whole text must equal search. An empty search string never occurs.
//
// maxLen of 0 or below means no limit. Otherwise the run stops at the first occurrence whose
// replacement would make the text longer than maxLen, keeps the replacements made before it,
// and sets lenError. lenError is only ever set, never cleared.
//
// With testOnly, the text is left as it is and the answer is 1 as soon as an acceptable
// occurrence is found that fits the limit. Otherwise the answer is the number of replacements.
std::int32_t ReplaceMatches(std::string& text, std::string_view search,
                            std::string_view replacement, MatchOptions options, bool& lenError,
                            TestOnly testOnly, std::int32_t maxLen);

// The same rule for an entity text edited in place. The limit is always at most 255: a
// maxLen of 0 or below, or above 255, is taken as 255.
std::int32_t ReplaceMatches(host::str255& text, std::string_view search,
                            std::string_view replacement, MatchOptions options, bool& lenError,
                            TestOnly testOnly, std::int32_t maxLen = kEntityTextMax);

} // namespace qx::text
