// A scenario script: the drawing and the starting settings, then the user's actions and the
// expectations, in order. The format is documented in docs/scenario-format.md.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace cadhost::scenario {

struct Step {
    Step() = default;
    Step(int lineNo, std::vector<std::string> stepWords, std::vector<Step> stepBlock = {},
         std::vector<bool> partialWords = {})
        : line(lineNo), words(std::move(stepWords)), block(std::move(stepBlock)),
          partial(std::move(partialWords)) {}

    int line = 0;
    std::vector<std::string> words; // words[0] is the verb; quoted texts arrive unquoted (UTF-8)
    std::vector<Step> block;        // the actions of a "dialog ... end" block
    // Parallel to words: true for a text written ~"like this", which stands for any text that
    // contains it. Shorter than words when the last words are whole texts.
    std::vector<bool> partial;

    const std::string& verb() const { return words.front(); }
    bool IsPartial(std::size_t word) const { return word < partial.size() && partial[word]; }
    // Whether a seen text is what word `word` asks for: equal, or containing it when partial.
    bool Matches(std::size_t word, const std::string& seen) const;
    std::string Describe() const; // the step as written, for messages
};

struct Script {
    std::vector<Step> steps;
    std::string baseDir; // relative file names are taken from here
};

// The script, or a message naming the line that could not be read.
std::variant<Script, std::string> ParseScript(std::string_view text, std::string baseDir);

} // namespace cadhost::scenario
