// The options of a search, each its own type so that a call reads as what it asks for
// (CaseSens::Yes rather than a bare true). A stored Boolean converts with CaseSens{flag}.
#pragma once

namespace qx::text {

// Whether letters must match in case. Without it, only the ASCII letters are folded.
enum class CaseSens : bool { No = false, Yes = true };

// Whether an occurrence must stand between word boundaries.
enum class WholeWords : bool { No = false, Yes = true };

// Whether the whole text must equal the search string.
enum class WholeEnts : bool { No = false, Yes = true };

// The three options of a search travel together as one value, passed by value.
struct MatchOptions {
    CaseSens caseSens = CaseSens::No;
    WholeWords wholeWords = WholeWords::No;
    WholeEnts wholeEnts = WholeEnts::No;

    // Any option narrows the search beyond a plain, case-blind occurrence.
    constexpr bool Narrowed() const {
        return caseSens == CaseSens::Yes || wholeWords == WholeWords::Yes ||
               wholeEnts == WholeEnts::Yes;
    }

    friend constexpr bool operator==(const MatchOptions&, const MatchOptions&) = default;
};

// Whether to answer only "is there an acceptable occurrence", leaving the text as it is.
enum class TestOnly : bool { No = false, Yes = true };

} // namespace qx::text
