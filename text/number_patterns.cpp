#include "text/number_patterns.h"

#include "text/char_class.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <algorithm>
#include <memory>
#include <optional>

namespace qx::text {
namespace {

struct CodeDeleter {
    void operator()(pcre2_code* code) const { pcre2_code_free(code); }
};
struct MatchDataDeleter {
    void operator()(pcre2_match_data* data) const { pcre2_match_data_free(data); }
};

// A pattern compiled once, on first use. The compiled code is shared between threads, which
// PCRE2 allows; the match data (room for the one capture group) is per thread and shared by
// the patterns, so matching allocates nothing after the first
// call on a thread. The patterns are compiled without UTF or UCP, so \d is exactly 0-9 and
// every byte is one character, as in the Windows-1252 texts.
class Pattern {
public:
    explicit Pattern(std::string_view source) {
        int error = 0;
        PCRE2_SIZE offset = 0;
        code_.reset(pcre2_compile(reinterpret_cast<PCRE2_SPTR>(source.data()), source.size(), 0,
                                  &error, &offset, nullptr));
    }

    // nullopt when the pattern could not be compiled or the match failed for another reason
    // than no match (a resource limit); the caller then answers without the pattern.
    std::optional<bool> Matches(std::string_view text) const {
        if (!code_)
            return std::nullopt;
        thread_local std::unique_ptr<pcre2_match_data, MatchDataDeleter> data(
            pcre2_match_data_create(2, nullptr));
        if (!data)
            return std::nullopt;
        const int rc = pcre2_match(code_.get(), reinterpret_cast<PCRE2_SPTR>(text.data()),
                                   text.size(), 0, 0, data.get(), nullptr);
        if (rc >= 0)
            return true;
        if (rc == PCRE2_ERROR_NOMATCH)
            return false;
        return std::nullopt;
    }

private:
    std::unique_ptr<pcre2_code, CodeDeleter> code_;
};

// The same answers without the pattern engine.
bool ScanHasSecondNumber(std::string_view text) {
    const auto digit = std::ranges::find_if(text, IsAsciiDigit);
    const auto gap = std::find_if_not(digit, text.end(), IsAsciiDigit);
    return std::find_if(gap, text.end(), IsAsciiDigit) != text.end();
}

} // namespace

bool HasNumber(std::string_view text) {
    static const Pattern pattern(R"(\d+)");
    if (const auto matched = pattern.Matches(text))
        return *matched;
    return std::ranges::any_of(text, IsAsciiDigit);
}

bool HasSecondNumber(std::string_view text) {
    static const Pattern pattern(R"([\D]*[\d]+[\D]+([\d]+))");
    if (const auto matched = pattern.Matches(text))
        return *matched;
    return ScanHasSecondNumber(text);
}

} // namespace qx::text
