// The cost of the find-and-replace rule over a drawing's worth of entity texts, measured
// against a loop that only looks for the search string (ASCII case folded) in the same texts.
#include "text/char_class.h"
#include "text/replace_matches.h"

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t kTexts = 1'000'000;
constexpr std::string_view kSearch = "door";
constexpr std::string_view kReplacement = "Gate";

// One million texts of 10 to 255 characters in one block: words of a drawing's vocabulary,
// numbers and punctuation, about one text in eight containing the search word in some case,
// sometimes inside a longer word.
class Corpus {
public:
    Corpus() {
        std::mt19937 random(12345);
        const std::string_view words[] = {"Room",
                                          "WALL",
                                          "window",
                                          "Sheet",
                                          "rev",
                                          "Level",
                                          "steel",
                                          "BEAM",
                                          "note",
                                          "see",
                                          "plan",
                                          "d\xE9tail",
                                          "GRID",
                                          "section",
                                          "A-",
                                          "typ.",
                                          "(n)",
                                          "\xF8"
                                          "12"};
        const std::string_view matches[] = {"door", "Door", "DOOR", "doors", "backdoor"};
        std::uniform_int_distribution<std::size_t> length(10, 255);
        std::uniform_int_distribution<std::size_t> word(0, std::size(words) - 1);
        std::uniform_int_distribution<std::size_t> match(0, std::size(matches) - 1);
        std::uniform_int_distribution<int> chance(0, 7);
        std::uniform_int_distribution<int> digit(0, 9);
        offsets_.reserve(kTexts + 1);
        offsets_.push_back(0);
        std::string text;
        for (std::size_t i = 0; i < kTexts; ++i) {
            const std::size_t target = length(random);
            const bool matching = chance(random) == 0;
            text.clear();
            while (text.size() < target) {
                if (matching && chance(random) < 2)
                    text += matches[match(random)];
                else if (chance(random) == 0)
                    text += static_cast<char>('0' + digit(random));
                else
                    text += words[word(random)];
                text += ' ';
            }
            text.resize(target);
            bytes_ += text;
            offsets_.push_back(bytes_.size());
        }
    }

    std::size_t size() const { return offsets_.size() - 1; }
    std::string_view operator[](std::size_t i) const {
        return std::string_view(bytes_).substr(offsets_[i], offsets_[i + 1] - offsets_[i]);
    }

private:
    std::string bytes_;
    std::vector<std::size_t> offsets_;
};

const Corpus& Texts() {
    static const Corpus corpus;
    return corpus;
}

// The plainest reasonable search: compare folded bytes at every start.
bool ContainsFolded(std::string_view text, std::string_view search) {
    if (search.size() > text.size())
        return false;
    for (std::size_t i = 0; i + search.size() <= text.size(); ++i) {
        std::size_t k = 0;
        while (k < search.size() &&
               qx::text::FoldAscii(text[i + k]) == qx::text::FoldAscii(search[k]))
            ++k;
        if (k == search.size())
            return true;
    }
    return false;
}

void BaselineFoldedSearch(benchmark::State& state) {
    const Corpus& texts = Texts();
    for (auto _ : state) {
        std::size_t found = 0;
        for (std::size_t i = 0; i < texts.size(); ++i)
            found += ContainsFolded(texts[i], kSearch) ? 1 : 0;
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * texts.size()));
}

// Each text is copied into an entity-text buffer first, as the drawing scan does, and then
// replaced in place.
void ReplaceMatchesWholeWord(benchmark::State& state) {
    using namespace qx::text;
    const Corpus& texts = Texts();
    for (auto _ : state) {
        std::int64_t replaced = 0;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            qx::host::str255 text(texts[i]);
            bool lenError = false;
            replaced +=
                ReplaceMatches(text, kSearch, kReplacement,
                               MatchOptions{.wholeWords = WholeWords::Yes}, lenError, TestOnly::No);
            benchmark::DoNotOptimize(text);
        }
        benchmark::DoNotOptimize(replaced);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * texts.size()));
}

BENCHMARK(BaselineFoldedSearch)->Unit(benchmark::kMillisecond);
BENCHMARK(ReplaceMatchesWholeWord)->Unit(benchmark::kMillisecond);

} // namespace
