#include "drawing/plain_text_scan.h"

#include "state/quillex_state.h"
#include "text/case_conversion.h"
#include "text/number_increment.h"
#include "text/replace_matches.h"

#include <span>

namespace qx {
namespace {

using text::CaseConversion;
using text::CaseMapping;
using text::kEntityTextMax;
using text::TestOnly;

// The replace operation lists a text when something was replaced, or when something would have
// been and did not fit: the user then gets the chance to shorten the text by hand.
std::optional<PlainTextFinding> ExamineReplace(const host::str255& original, const ScanOptions& o) {
    host::str255 replaced = original;
    bool lenError = false;
    std::int32_t count = 0;
    if (!o.search.empty())
        count = text::ReplaceMatches(replaced, o.search, o.replacement, o.match, lenError,
                                     TestOnly::No, kEntityTextMax);

    if (o.findOnly) {
        if (count == 0 && !lenError)
            return std::nullopt;
        // Browsing shows the text as it stands; the count tells what a change run would do.
        return PlainTextFinding{original.str(), PendingChangeFlag::FindOnly, count};
    }
    if (count == 0 && !lenError)
        return std::nullopt;
    if (!lenError)
        return PlainTextFinding{replaced.str(), PendingChangeFlag::AllOK, count};
    // Nothing replaced leaves the length as it was; a partial replace changes it.
    const PendingChangeFlag flag = replaced.len == original.len ? PendingChangeFlag::LenError
                                                                : PendingChangeFlag::ChgdLenError;
    return PlainTextFinding{replaced.str(), flag, count};
}

// Whether the search string occurs in the text; the other operations use it only as a filter.
bool Matches(const host::str255& original, const ScanOptions& o, bool& lenError) {
    if (o.search.empty())
        return true;
    host::str255 probe = original;
    return text::ReplaceMatches(probe, o.search, o.search, o.match, lenError, TestOnly::Yes,
                                kEntityTextMax) > 0;
}

// Entity texts are written with the ASCII letters, so upper and lower case touch only those.
bool ApplyCase(host::str255& t, std::uint8_t operation) {
    const host::str255 before = t;
    std::span<char> letters(t.text, t.len);
    switch (operation) {
    case opUpper:
        text::ConvertCase(letters, CaseConversion::Upper, CaseMapping::Ascii);
        break;
    case opLower:
        text::ConvertCase(letters, CaseConversion::Lower, CaseMapping::Ascii);
        break;
    default:
        t.assign(text::SentenceCase(before.view()));
        break;
    }
    return t.view() != before.view();
}

// A found number counts even when it could not be incremented: the user still sees the entity.
bool ApplyIncrement(host::str255& t, const ScanOptions& o, bool& lenError) {
    switch (o.operation) {
    case opIncFirst:
        return text::IncrementNumberFrom(t, o.increment, lenError, 1);
    case opIncSecond:
        return text::IncrementSecondNumber(t, o.increment, lenError);
    case opIncLast:
        return text::IncrementLastNumber(t, o.increment, lenError);
    case opIncStart:
        return text::IncrementStartNumber(t, o.increment, lenError);
    case opIncEnd:
        return text::IncrementEndNumber(t, o.increment, lenError);
    default:
        return false;
    }
}

std::optional<PlainTextFinding> ExamineOther(const host::str255& original, const ScanOptions& o) {
    if (o.operation > opIncEnd)
        return std::nullopt;
    bool lenError = false;
    if (!Matches(original, o, lenError))
        return std::nullopt;

    host::str255 changed = original;
    const bool counts = o.operation <= opSentence ? ApplyCase(changed, o.operation)
                                                  : ApplyIncrement(changed, o, lenError);
    if (!counts)
        return std::nullopt;
    PendingChangeFlag flag = PendingChangeFlag::AllOK;
    if (o.findOnly)
        flag = PendingChangeFlag::FindOnly;
    else if (lenError)
        flag = PendingChangeFlag::LenError;
    return PlainTextFinding{changed.str(), flag, 1};
}

} // namespace

std::optional<PlainTextFinding> ExaminePlainText(const host::str255& text,
                                                 const ScanOptions& options) {
    if (options.operation == opReplace)
        return ExamineReplace(text, options);
    return ExamineOther(text, options);
}

} // namespace qx
