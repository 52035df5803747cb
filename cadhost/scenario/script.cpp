#include "cadhost/scenario/script.h"

#include <optional>
#include <sstream>

namespace cadhost::scenario {
namespace {

struct LineWords {
    std::vector<std::string> words;
    std::string error;
};

// Splits a line into words. Double quotes group a text; inside them \" \\ \n \r and \t are
// escapes. A # outside quotes starts a comment.
LineWords SplitLine(std::string_view line) {
    LineWords out;
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
            continue;
        }
        if (c == '#')
            break;
        std::string word;
        if (c != '"') {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r')
                word += line[i++];
            out.words.push_back(word);
            continue;
        }
        ++i;
        bool closed = false;
        while (i < line.size()) {
            char d = line[i++];
            if (d == '"') {
                closed = true;
                break;
            }
            if (d == '\\' && i < line.size()) {
                const char e = line[i++];
                switch (e) {
                case 'n':
                    d = '\n';
                    break;
                case 'r':
                    d = '\r';
                    break;
                case 't':
                    d = '\t';
                    break;
                default:
                    d = e;
                    break;
                }
            }
            word += d;
        }
        if (!closed) {
            out.error = "a quoted text is not closed";
            return out;
        }
        out.words.push_back(word);
    }
    return out;
}

std::string Quote(const std::string& w) {
    std::string q = "\"";
    for (char c : w) {
        if (c == '"' || c == '\\')
            q += '\\';
        if (c == '\n') {
            q += "\\n";
            continue;
        }
        if (c == '\r') {
            q += "\\r";
            continue;
        }
        q += c;
    }
    return q + "\"";
}

} // namespace

std::string Step::Describe() const {
    std::string s;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const auto& w = words[i];
        const bool plain = !w.empty() && w.find_first_of(" \t\"\\\n\r#") == std::string::npos;
        s += (i ? " " : "") + (plain ? w : Quote(w));
    }
    return s;
}

std::variant<Script, std::string> ParseScript(std::string_view text, std::string baseDir) {
    Script script;
    script.baseDir = std::move(baseDir);
    std::vector<Step>* target = &script.steps;
    std::optional<Step> openBlock;
    int lineNo = 0;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        const std::size_t end = std::min(text.find('\n', pos), text.size());
        const std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        ++lineNo;
        auto split = SplitLine(line);
        if (!split.error.empty())
            return "line " + std::to_string(lineNo) + ": " + split.error;
        if (split.words.empty())
            continue;
        Step step{lineNo, std::move(split.words), {}};
        if (step.verb() == "dialog" || step.verb() == "window") {
            if (openBlock)
                return "line " + std::to_string(lineNo) + ": a block is already open";
            if (step.words.size() < 2)
                return "line " + std::to_string(lineNo) + ": " + step.verb() +
                       " needs the window's name";
            openBlock = std::move(step);
            target = &openBlock->block;
            continue;
        }
        if (step.verb() == "end") {
            if (!openBlock)
                return "line " + std::to_string(lineNo) + ": end without dialog or window";
            script.steps.push_back(std::move(*openBlock));
            openBlock.reset();
            target = &script.steps;
            continue;
        }
        target->push_back(std::move(step));
    }
    if (openBlock)
        return "line " + std::to_string(openBlock->line) + ": " + openBlock->verb() +
               " block without end";
    // A run that does nothing would pass and prove nothing: most likely the wrong file was given.
    if (script.steps.empty())
        return std::string("the scenario holds no steps");
    return script;
}

} // namespace cadhost::scenario
