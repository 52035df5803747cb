#include "cadhost/scenario/script.h"

#include <optional>
#include <sstream>

namespace cadhost::scenario {
namespace {

struct LineWords {
    std::vector<std::string> words;
    std::vector<bool> partial;
    std::string error;
};

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Reads a quoted text from just after its opening quote up to and past its closing quote.
// Inside it \" \\ \n \r \t are escapes, and \xHH is the byte of two hex digits, so that a
// file's content can hold bytes that are not UTF-8.
std::optional<std::string> ReadQuoted(std::string_view line, std::size_t& i, std::string& error) {
    std::string word;
    while (i < line.size()) {
        char d = line[i++];
        if (d == '"')
            return word;
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
            case 'x': {
                const int high = i < line.size() ? HexDigit(line[i]) : -1;
                const int low = i + 1 < line.size() ? HexDigit(line[i + 1]) : -1;
                if (high < 0 || low < 0) {
                    error = "\\x needs two hex digits";
                    return std::nullopt;
                }
                i += 2;
                d = static_cast<char>(high * 16 + low);
                break;
            }
            default:
                d = e;
                break;
            }
        }
        word += d;
    }
    error = "a quoted text is not closed";
    return std::nullopt;
}

// Splits a line into words. Double quotes group a text, ~ just before the quote makes it a part
// of a text to look for. A # outside quotes starts a comment.
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
        const bool partial = c == '~' && i + 1 < line.size() && line[i + 1] == '"';
        if (c != '"' && !partial) {
            std::string word;
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r')
                word += line[i++];
            out.words.push_back(word);
            continue;
        }
        i += partial ? 2 : 1;
        auto word = ReadQuoted(line, i, out.error);
        if (!word)
            return out;
        if (partial) {
            out.partial.resize(out.words.size());
            out.partial.push_back(true);
        }
        out.words.push_back(std::move(*word));
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
        if (c == '\t') {
            q += "\\t";
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
        const bool plain =
            !w.empty() && w.find_first_of(" \t\"\\\n\r#") == std::string::npos && !IsPartial(i);
        s += (i ? " " : "") + (plain ? w : (IsPartial(i) ? "~" : "") + Quote(w));
    }
    return s;
}

bool Step::Matches(std::size_t word, const std::string& seen) const {
    if (word >= words.size())
        return false;
    if (IsPartial(word))
        return seen.find(words[word]) != std::string::npos;
    return seen == words[word];
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
        Step step{lineNo, std::move(split.words), {}, std::move(split.partial)};
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
