// The encoding of the texts in a DXF file: UTF-8 from R2007 on, before that the code page that
// $DWGCODEPAGE names. Characters the encoding cannot hold are written as \U+XXXX escapes.
// Inside the host every text is Windows-1252; this is where the two meet.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#if CADHOST_DXF_CODE_PAGES
class QStringDecoder;
class QStringEncoder;
#endif

namespace cadhost::dxf {

// Whether a file's text can be handed to the host.
enum class TextFit {
    Held,         // every character has a place in Windows-1252
    NotInCp1252,  // a character that Windows-1252 cannot hold
    NotDecodable, // bytes that are not valid in the file's encoding
};

class TextCodec {
public:
    static TextCodec Utf8();
    // The code page of a file before R2007, by its $DWGCODEPAGE name ("ANSI_1252"), compared
    // without regard to letter case. nullopt when this host has no converter for it.
    static std::optional<TextCodec> ForCodePage(std::string_view dwgCodePage);

    TextCodec(TextCodec&&) noexcept;
    TextCodec& operator=(TextCodec&&) noexcept;
    ~TextCodec();

    // "UTF-8" or the code page's DXF name.
    const std::string& Name() const { return name_; }
    bool IsUtf8() const { return kind_ == Kind::Utf8; }

    // A value as Unicode (UTF-8) with its \U+XXXX escapes left as they are. False when the
    // bytes are not valid in the file's encoding.
    bool ToUtf8(std::string_view raw, std::string& utf8) const;
    // A value as the host holds it: Windows-1252 with the \U+XXXX escapes decoded. `host` is
    // set only when the result is Held.
    TextFit ToHost(std::string_view raw, std::string& host) const;
    // Where each character of ToHost's result begins in `raw`; an escape counts as the one
    // character it stands for. Empty when `raw` does not decode.
    std::vector<std::uint32_t> HostCharStarts(std::string_view raw) const;
    // A host text in the file's encoding: characters the encoding lacks become \U+XXXX, a
    // backslash that would read as the start of such an escape becomes \U+005C, and line
    // ends, which would break the line, are written in DXF's caret form (^J, ^M).
    std::string FromHost(std::string_view cp1252) const;

private:
    enum class Kind { Utf8, Cp1252, QtCodePage };
    TextCodec(Kind kind, std::string name);

    // Appends one character beyond ASCII in the file's encoding, or as an escape.
    void AppendEncoded(char32_t cp, std::string& out) const;

    Kind kind_;
    std::string name_;
#if CADHOST_DXF_CODE_PAGES
    // A converter of the code page, ready for a new text.
    QStringDecoder& Decoder() const;
    QStringEncoder& Encoder() const;

    const char* converter_ = nullptr;
    mutable std::unique_ptr<QStringDecoder> decoder_;
    mutable std::unique_ptr<QStringEncoder> encoder_;
#endif
};

// Replaces each \U+XXXX (four hexadecimal digits) by the character it stands for.
std::string DecodeUnicodeEscapes(std::string_view utf8);

// Appends a Unicode character as UTF-8.
void AppendUtf8(char32_t cp, std::string& out);

} // namespace cadhost::dxf
