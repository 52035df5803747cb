// A scenario script: the drawing and the starting settings, then the user's actions and the
// expectations, in order. The format is documented in docs/scenario-format.md.
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace cadhost::scenario {

struct Step {
    int line = 0;
    std::vector<std::string> words; // words[0] is the verb; quoted texts arrive unquoted (UTF-8)
    std::vector<Step> block;        // the actions of a "dialog ... end" block

    const std::string& verb() const { return words.front(); }
    std::string Describe() const; // the step as written, for messages
};

struct Script {
    std::vector<Step> steps;
    std::string baseDir; // relative file names are taken from here
};

// The script, or a message naming the line that could not be read.
std::variant<Script, std::string> ParseScript(std::string_view text, std::string baseDir);

} // namespace cadhost::scenario
