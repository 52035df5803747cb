#include "platform/profile_text.h"

#include "host/codepage.h"

#include <algorithm>
#include <cstddef>

namespace qx::platform::profile {
namespace {

constexpr std::string_view kSignature = "\xEF\xBB\xBF";
constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kDefaultLineEnd = "\n";

enum class LineKind { Blank, Comment, Section, Key, Other };

// One line of the file. Offsets are into the whole file text, so an edit can splice new bytes
// in without touching anything around them.
struct Line {
    std::size_t begin = 0;    // first byte of the content
    std::size_t end = 0;      // one past the content, where the line ending starts
    std::string_view lineEnd; // "\r\n", "\n", "\r" or empty on a last line without one
    LineKind kind = LineKind::Other;
    std::string_view name;      // the section's or the key's name, without surrounding blanks
    std::string_view value;     // a key's value, without surrounding blanks
    std::size_t valueBegin = 0; // where a key's value starts: after the '=' and any blanks
};

std::string_view TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

void Classify(std::string_view content, Line& line) {
    const auto lead = content.find_first_not_of(kBlanks);
    if (lead == std::string_view::npos) {
        line.kind = LineKind::Blank;
        return;
    }
    const char first = content[lead];
    if (first == ';' || first == '#') {
        line.kind = LineKind::Comment;
        return;
    }
    if (first == '[') {
        const auto close = content.find(']', lead);
        if (close == std::string_view::npos)
            return; // not a header; passed over like any other line it cannot read
        line.kind = LineKind::Section;
        line.name = TrimBlanks(content.substr(lead + 1, close - lead - 1));
        return;
    }
    const auto equals = content.find('=');
    if (equals == std::string_view::npos)
        return;
    const std::string_view name = TrimBlanks(content.substr(0, equals));
    if (name.empty())
        return;
    line.kind = LineKind::Key;
    line.name = name;
    const auto valueLead = content.find_first_not_of(kBlanks, equals + 1);
    const std::size_t valueOffset =
        valueLead == std::string_view::npos ? content.size() : valueLead;
    line.valueBegin = line.begin + valueOffset;
    line.value = TrimBlanks(content.substr(valueOffset));
}

// The file's lines after any signature. A line ends at "\r\n", "\n" or a lone "\r", as in
// files from any platform; the ending is kept apart so that it can be written back as it was.
std::vector<Line> SplitLines(std::string_view text) {
    std::vector<Line> lines;
    std::size_t pos = text.starts_with(kSignature) ? kSignature.size() : 0;
    while (pos < text.size()) {
        Line line;
        line.begin = pos;
        line.end = text.find_first_of("\r\n", pos);
        if (line.end == std::string_view::npos)
            line.end = text.size();
        std::size_t next = line.end;
        if (next < text.size())
            next += text.compare(next, 2, "\r\n") == 0 ? 2 : 1;
        line.lineEnd = text.substr(line.end, next - line.end);
        Classify(text.substr(line.begin, line.end - line.begin), line);
        lines.push_back(line);
        pos = next;
    }
    return lines;
}

// The length of the well-formed UTF-8 sequence at text[i], or 0 when none starts there
// (overlong forms, surrogates and code points beyond U+10FFFF are not well-formed).
std::size_t Utf8SequenceAt(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : low;
        high = lead == 0xED ? 0x9F : high;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : low;
        high = lead == 0xF4 ? 0x8F : high;
    } else {
        return 0;
    }
    if (text.size() - i < length)
        return 0;
    const auto second = static_cast<unsigned char>(text[i + 1]);
    if (second < low || second > high)
        return 0;
    for (std::size_t k = 2; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if (next < 0x80 || next > 0xBF)
            return 0;
    }
    return length;
}

bool IsUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = Utf8SequenceAt(text, i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

// UTF-8 as it is; every byte that does not belong to a well-formed sequence is taken as
// Windows-1252. Files edited by hand or written by the Windows build mix the two.
std::string ToUtf8(std::string_view raw) {
    std::string out;
    out.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size();) {
        const std::size_t length = Utf8SequenceAt(raw, i);
        if (length == 0) {
            out += host::Cp1252ToUtf8(raw.substr(i, 1));
            ++i;
            continue;
        }
        out.append(raw.substr(i, length));
        i += length;
    }
    return out;
}

char FoldAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameName(std::string_view raw, std::string_view wanted) {
    const std::string name = ToUtf8(raw);
    return std::ranges::equal(name, wanted, {}, FoldAscii, FoldAscii);
}

bool IsQuote(char c) {
    return c == '"' || c == '\'';
}

// The profile API drops one pair of matching quotes around a value.
std::string_view Unquoted(std::string_view value) {
    if (value.size() >= 2 && IsQuote(value.front()) && value.front() == value.back())
        return value.substr(1, value.size() - 2);
    return value;
}

// The value as it must stand in the file to read back unchanged: quoted when reading would
// otherwise drop its surrounding blanks or a pair of quotes of its own.
std::string Encoded(std::string_view value) {
    const bool blankEdge =
        !value.empty() && (kBlanks.find(value.front()) != std::string_view::npos ||
                           kBlanks.find(value.back()) != std::string_view::npos);
    if (blankEdge || Unquoted(value).size() != value.size())
        return "\"" + std::string(value) + "\"";
    return std::string(value);
}

bool IsWritableName(std::string_view name, char forbidden) {
    if (name.empty() || !IsUtf8(name))
        return false;
    if (name.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos ||
        name.find(forbidden) != std::string_view::npos)
        return false;
    const char lead = name.front();
    if (lead == ';' || lead == '#' || lead == '[')
        return false;
    return TrimBlanks(name).size() == name.size();
}

// A section's lines: its header and the lines up to, not including, `last`, the next header or
// the end of the file.
struct SectionSpan {
    std::size_t header = 0;
    std::size_t last = 0;
};

// The first section called `section`; a later one of the same name is never read or written.
std::optional<SectionSpan> FindSection(const std::vector<Line>& lines, std::string_view section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind != LineKind::Section || !SameName(lines[i].name, section))
            continue;
        std::size_t last = i + 1;
        while (last < lines.size() && lines[last].kind != LineKind::Section)
            ++last;
        return SectionSpan{i, last};
    }
    return std::nullopt;
}

const Line* FindKey(const std::vector<Line>& lines, SectionSpan span, std::string_view key) {
    for (std::size_t i = span.header + 1; i < span.last; ++i) {
        if (lines[i].kind == LineKind::Key && SameName(lines[i].name, key))
            return &lines[i];
    }
    return nullptr;
}

// The ending new lines take after `line`: its own, else the file's first, else a line feed.
// Taking the ending of the line before keeps a lone "\r" from being followed by a "\n" that
// would fuse with it.
std::string_view LineEndAfter(const std::vector<Line>& lines, const Line* line) {
    if (line != nullptr && !line->lineEnd.empty())
        return line->lineEnd;
    for (const Line& each : lines) {
        if (!each.lineEnd.empty())
            return each.lineEnd;
    }
    return kDefaultLineEnd;
}

// Inserts `newLines` (each already ended) after `line`, or at the end of the file when there
// is no line; a last line without an ending gets one first.
std::string InsertAfter(std::string_view text, const std::vector<Line>& lines, const Line* line,
                        std::string_view newLines) {
    const std::size_t at = line != nullptr ? line->end + line->lineEnd.size() : text.size();
    std::string out(text.substr(0, at));
    if (line != nullptr && line->lineEnd.empty())
        out += LineEndAfter(lines, line);
    out += newLines;
    out += text.substr(at);
    return out;
}

} // namespace

std::optional<std::string> FindValue(std::string_view fileText, std::string_view section,
                                     std::string_view key) {
    const std::vector<Line> lines = SplitLines(fileText);
    const auto span = FindSection(lines, section);
    if (!span)
        return std::nullopt;
    const Line* line = FindKey(lines, *span, key);
    if (line == nullptr)
        return std::nullopt;
    return ToUtf8(Unquoted(line->value));
}

std::vector<std::pair<std::string, std::string>> ListKeys(std::string_view fileText) {
    const std::vector<Line> lines = SplitLines(fileText);
    std::vector<std::pair<std::string, std::string>> keys;
    std::vector<std::string> sections;
    for (const Line& header : lines) {
        if (header.kind != LineKind::Section)
            continue;
        const std::string section = ToUtf8(header.name);
        if (std::ranges::any_of(sections,
                                [&](const auto& seen) { return SameName(seen, section); }))
            continue;
        sections.push_back(section);
        const auto span = FindSection(lines, section);
        const std::size_t firstKey = keys.size();
        for (std::size_t i = span->header + 1; i < span->last; ++i) {
            if (lines[i].kind != LineKind::Key)
                continue;
            std::string key = ToUtf8(lines[i].name);
            const auto seen = [&](const auto& entry) { return SameName(entry.second, key); };
            if (std::any_of(keys.begin() + static_cast<std::ptrdiff_t>(firstKey), keys.end(), seen))
                continue;
            keys.emplace_back(section, std::move(key));
        }
    }
    return keys;
}

bool IsWritableSection(std::string_view section) {
    return IsWritableName(section, ']');
}

bool IsWritableKey(std::string_view key) {
    return IsWritableName(key, '=');
}

bool IsWritableValue(std::string_view value) {
    return IsUtf8(value) &&
           value.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

std::optional<std::string> WithValue(std::string_view fileText, std::string_view section,
                                     std::string_view key, std::string_view value) {
    if (!IsWritableSection(section) || !IsWritableKey(key) || !IsWritableValue(value))
        return std::nullopt;
    const std::vector<Line> lines = SplitLines(fileText);
    const std::string keyLine = std::string(key) + "=" + Encoded(value);

    const auto span = FindSection(lines, section);
    if (!span) {
        const Line* last = lines.empty() ? nullptr : &lines.back();
        const std::string_view lineEnd = LineEndAfter(lines, last);
        const std::string newLines = "[" + std::string(section) + "]" + std::string(lineEnd) +
                                     keyLine + std::string(lineEnd);
        return InsertAfter(fileText, lines, last, newLines);
    }

    if (const Line* line = FindKey(lines, *span, key)) {
        std::string out(fileText.substr(0, line->valueBegin));
        out += Encoded(value);
        out += fileText.substr(line->end);
        return out;
    }

    // A new key goes after the last key of its section, so that blank lines and comments that
    // lead into the next section stay with it.
    const Line* after = &lines[span->header];
    for (std::size_t i = span->header + 1; i < span->last; ++i) {
        if (lines[i].kind == LineKind::Key)
            after = &lines[i];
    }
    return InsertAfter(fileText, lines, after, keyLine + std::string(LineEndAfter(lines, after)));
}

} // namespace qx::platform::profile
