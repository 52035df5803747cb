#include "drawing/smart_text_scan.h"

#include "state/quillex_state.h"
#include "text/case_conversion.h"
#include "text/number_patterns.h"
#include "text/replace_matches.h"

#include <string>

namespace qx {
namespace {

using text::CaseConversion;
using text::CaseMapping;

// The first test takes the search string exactly as typed, whatever the case option says; the
// options can only narrow that further.
bool Matches(std::string_view smartText, const ScanOptions& o) {
    if (o.search.empty())
        return true;
    if (smartText.find(o.search) == std::string_view::npos)
        return false;
    if (!o.match.Narrowed())
        return true;
    std::string probe(smartText);
    bool lenError = false;
    return text::ReplaceMatches(probe, o.search, o.search, o.match, lenError, text::TestOnly::Yes,
                                0) > 0;
}

// A change run lists a smart entity only when the operation would change something in it, as
// it does for plain texts. Smart texts may hold any letter of the code page.
bool OperationConcerns(std::string_view smartText, const ScanOptions& o) {
    switch (o.operation) {
    case opReplace:
        return !o.search.empty();
    case opUpper:
        return text::ConversionChanges(smartText, CaseConversion::Upper, CaseMapping::Full);
    case opLower:
        return text::ConversionChanges(smartText, CaseConversion::Lower, CaseMapping::Full);
    case opSentence:
        return text::ConversionChanges(smartText, CaseConversion::Sentence, CaseMapping::Full);
    case opIncSecond:
        return text::HasSecondNumber(smartText);
    case opIncFirst:
    case opIncLast:
    case opIncStart:
    case opIncEnd:
        return text::HasNumber(smartText);
    default:
        return false;
    }
}

} // namespace

std::optional<PendingChangeFlag> ExamineSmartText(std::string_view smartText,
                                                  const ScanOptions& options) {
    if (!Matches(smartText, options))
        return std::nullopt;
    if (options.findOnly)
        return PendingChangeFlag::FindOnlySmartEnt;
    if (!OperationConcerns(smartText, options))
        return std::nullopt;
    return PendingChangeFlag::SmartEnt;
}

} // namespace qx
