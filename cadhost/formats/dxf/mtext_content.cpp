#include "cadhost/formats/dxf/mtext_content.h"

#include "cadhost/formats/dxf/text_codec.h"

#include <cctype>

namespace cadhost::dxf {

namespace {

constexpr std::string_view kTab = "    ";

// DXF's caret notation: "^J" is a line feed, "^ " a caret.
std::string CaretDecoded(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0u;
        if (text[i] == '^' && next != 0 && next < 0x80) {
            out += static_cast<char>((static_cast<int>(next) - 64 + 126) % 126);
            ++i;
            continue;
        }
        out += text[i];
    }
    return out;
}

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    std::vector<std::string> Run() {
        while (pos_ < text_.size()) {
            Step();
        }
        if (!paragraph_.empty()) {
            paragraphs_.push_back(std::move(paragraph_));
        }
        return std::move(paragraphs_);
    }

private:
    char Peek(std::size_t ahead = 0) const {
        return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0';
    }

    void EndParagraph() {
        paragraphs_.push_back(std::move(paragraph_));
        paragraph_.clear();
    }

    void Step() {
        const char c = Peek();
        if (c == '\\') {
            return Command();
        }
        if (c == '%' && Peek(1) == '%') {
            const char code = static_cast<char>(std::tolower(static_cast<unsigned char>(Peek(2))));
            const char32_t special = code == 'c'   ? U'\u00D8'
                                     : code == 'd' ? U'\u00B0'
                                     : code == 'p' ? U'\u00B1'
                                                   : 0;
            if (special != 0) {
                AppendUtf8(special, paragraph_);
                pos_ += 3;
                return;
            }
        }
        ++pos_;
        if (static_cast<unsigned char>(c) < 0x20) {
            if (c == '\t') {
                paragraph_ += kTab;
            } else if (c == '\n') {
                EndParagraph();
            } else {
                paragraph_ += ' ';
            }
            return;
        }
        // Braces group formatting; they are not drawn.
        if (c == '{' || c == '}') {
            return;
        }
        paragraph_ += c;
    }

    void Command() {
        const char cmd = Peek(1);
        if (cmd == '\\' || cmd == '{' || cmd == '}') {
            paragraph_ += cmd;
            pos_ += 2;
            return;
        }
        pos_ += cmd == '\0' ? 1 : 2;
        switch (cmd) {
        case '\0':
        case 'X': // a break at the dimension line: not a paragraph of its own
        case 'L':
        case 'l':
        case 'O':
        case 'o':
        case 'K':
        case 'k':
            return;
        case '~':
            paragraph_ += ' ';
            return;
        case 'P':
        case 'N':
            return EndParagraph();
        case 'S':
            return Stacking();
        case 'A':
            if (pos_ < text_.size()) {
                ++pos_;
            }
            return OptionalTerminator();
        case 'C':
        case 'c':
            SkipDigits();
            return OptionalTerminator();
        case 'H':
        case 'W':
        case 'T':
            SkipNumber(true);
            return OptionalTerminator();
        case 'Q':
            SkipNumber(false);
            return OptionalTerminator();
        case 'p':
        case 'f':
        case 'F':
            Expression(false);
            return;
        default:
            // An unknown code is drawn as it is written.
            paragraph_ += '\\';
            paragraph_ += cmd;
            return;
        }
    }

    void OptionalTerminator() {
        if (Peek() == ';') {
            ++pos_;
        }
    }

    void SkipDigits() {
        while (std::isdigit(static_cast<unsigned char>(Peek()))) {
            ++pos_;
        }
    }

    // A number as the height, width, tracking and oblique codes take it: sign, digits, an
    // optional fraction and exponent, and for the relative forms a trailing "x".
    void SkipNumber(bool relative) {
        std::size_t p = pos_;
        const auto at = [&](std::size_t i) { return i < text_.size() ? text_[i] : '\0'; };
        const auto digit = [&](std::size_t i) {
            return std::isdigit(static_cast<unsigned char>(at(i))) != 0;
        };
        if (at(p) == '+' || at(p) == '-') {
            ++p;
        }
        if (!digit(p)) {
            return;
        }
        while (digit(p)) {
            ++p;
        }
        if (at(p) == '.') {
            ++p;
            while (digit(p)) {
                ++p;
            }
        }
        if (at(p) == 'e' || at(p) == 'E') {
            std::size_t q = p + 1;
            if (at(q) == '+' || at(q) == '-') {
                ++q;
            }
            if (digit(q)) {
                while (digit(q)) {
                    ++q;
                }
                p = q;
            }
        }
        if (relative && at(p) == 'x') {
            ++p;
        }
        pos_ = p;
    }

    // Everything up to the next ";" (which is consumed), or to the end. With `escaped`, a
    // "\;" does not end it.
    std::string_view Expression(bool escaped) {
        std::size_t p = pos_;
        while (p < text_.size() && text_[p] != ';') {
            p += escaped && text_[p] == '\\' && p + 1 < text_.size() && text_[p + 1] == ';' ? 2 : 1;
        }
        const std::string_view expr = text_.substr(pos_, p - pos_);
        pos_ = p < text_.size() ? p + 1 : p;
        return expr;
    }

    // \Snumerator^denominator; (or / or #): drawn as the two parts around the divider.
    void Stacking() {
        const std::string_view expr = Expression(true);
        std::string upper;
        std::string lower;
        std::string* part = &upper;
        char divider = 0;
        for (std::size_t i = 0; i < expr.size(); ++i) {
            char c = expr[i];
            bool escaped = false;
            if (c == '\\' && i + 1 < expr.size()) {
                c = expr[++i];
                escaped = true;
            }
            if (static_cast<unsigned char>(c) < 0x20) {
                c = ' ';
            }
            if (!escaped && divider == 0 && (c == '^' || c == '/' || c == '#')) {
                divider = c;
                part = &lower;
                continue;
            }
            *part += c;
        }
        paragraph_ += upper;
        if (divider != 0) {
            paragraph_ += divider;
            paragraph_ += lower;
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    std::string paragraph_;
    std::vector<std::string> paragraphs_;
};

} // namespace

std::vector<std::string> MTextParagraphs(std::string_view content) {
    const std::string text = CaretDecoded(DecodeUnicodeEscapes(content));
    return Parser(text).Run();
}

} // namespace cadhost::dxf
