#include "cadhost/formats/dxf/text_codec.h"

#include "host/codepage.h"

// Code pages other than UTF-8 and Windows-1252 are converted by Qt where the host has it; the
// Windows test host has no Qt, and its files in those code pages are refused as having no
// converter.
#if CADHOST_DXF_CODE_PAGES
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>
#endif

#include <algorithm>
#include <array>
#include <cctype>

namespace cadhost::dxf {

namespace {

// $DWGCODEPAGE names and the converters that hold them. The Windows code pages are what
// AutoCAD writes in practice; the DOS and ISO names turn up in old files.
struct CodePageName {
    std::string_view dxf;
    const char* converter;
};
constexpr std::array<CodePageName, 33> kCodePages = {{
    {"ANSI_874", "windows-874"},   {"ANSI_932", "windows-932"},
    {"ANSI_936", "windows-936"},   {"ANSI_949", "windows-949"},
    {"ANSI_950", "windows-950"},   {"ANSI_1250", "windows-1250"},
    {"ANSI_1251", "windows-1251"}, {"ANSI_1252", "windows-1252"},
    {"ANSI_1253", "windows-1253"}, {"ANSI_1254", "windows-1254"},
    {"ANSI_1255", "windows-1255"}, {"ANSI_1256", "windows-1256"},
    {"ANSI_1257", "windows-1257"}, {"ANSI_1258", "windows-1258"},
    {"DOS437", "IBM437"},          {"DOS850", "IBM850"},
    {"DOS852", "IBM852"},          {"DOS855", "IBM855"},
    {"DOS857", "IBM857"},          {"DOS860", "IBM860"},
    {"DOS861", "IBM861"},          {"DOS863", "IBM863"},
    {"DOS864", "IBM864"},          {"DOS865", "IBM865"},
    {"DOS866", "IBM866"},          {"DOS869", "IBM869"},
    {"ISO8859-1", "ISO-8859-1"},   {"ISO8859-2", "ISO-8859-2"},
    {"ISO8859-5", "ISO-8859-5"},   {"ISO8859-7", "ISO-8859-7"},
    {"ISO8859-9", "ISO-8859-9"},   {"BIG5", "Big5"},
    {"GB2312", "GB2312"},
}};

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

// True when the value is plain ASCII without a backslash: then it means the same bytes in
// every encoding the host reads, and no escape can hide in it.
bool IsPlain(std::string_view raw) {
    return std::all_of(raw.begin(), raw.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80 && c != '\\'; });
}

int HexDigit(char32_t c) {
    if (c >= '0' && c <= '9')
        return static_cast<int>(c - '0');
    if (c >= 'a' && c <= 'f')
        return static_cast<int>(c - 'a' + 10);
    if (c >= 'A' && c <= 'F')
        return static_cast<int>(c - 'A' + 10);
    return -1;
}

// The character a \U+XXXX escape at `at` stands for, when there is one; `get(i)` gives the
// i-th character of the text and `size` its length.
template <typename Get>
std::optional<char32_t> EscapeAt(std::size_t at, std::size_t size, Get get) {
    constexpr std::size_t kLength = 7;
    if (at + kLength > size || get(at) != '\\' || get(at + 1) != 'U' || get(at + 2) != '+')
        return std::nullopt;
    char32_t cp = 0;
    for (std::size_t k = 3; k < kLength; ++k) {
        const int d = HexDigit(get(at + k));
        if (d < 0)
            return std::nullopt;
        cp = cp * 16 + static_cast<char32_t>(d);
    }
    return cp;
}

// Decodes one UTF-8 character at s[i] and moves i past it; nullopt for malformed bytes.
std::optional<char32_t> NextUtf8(std::string_view s, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    const int extra = b0 < 0x80           ? 0
                      : (b0 >> 5) == 0x6  ? 1
                      : (b0 >> 4) == 0xE  ? 2
                      : (b0 >> 3) == 0x1E ? 3
                                          : -1;
    if (extra < 0 || i + static_cast<std::size_t>(extra) >= s.size())
        return std::nullopt;
    char32_t cp = extra == 0 ? b0 : (b0 & (0x3Fu >> extra));
    for (int k = 1; k <= extra; ++k) {
        const auto b = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
        if ((b & 0xC0) != 0x80)
            return std::nullopt;
        cp = (cp << 6) | (b & 0x3F);
    }
    i += static_cast<std::size_t>(extra) + 1;
    return cp;
}

bool IsValidUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        if (!NextUtf8(s, i))
            return false;
    }
    return true;
}

void AppendEscape(char32_t cp, std::string& out) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    out += "\\U+";
    for (int shift = 12; shift >= 0; shift -= 4)
        out += kHex[(cp >> shift) & 0xF];
}

struct CharAt {
    char32_t cp;
    std::uint32_t start;
};

} // namespace

void AppendUtf8(char32_t cp, std::string& out) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string DecodeUnicodeEscapes(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    const auto get = [utf8](std::size_t i) { return static_cast<char32_t>(utf8[i]); };
    for (std::size_t i = 0; i < utf8.size();) {
        if (const auto cp = EscapeAt(i, utf8.size(), get)) {
            AppendUtf8(*cp, out);
            i += 7;
            continue;
        }
        out += utf8[i++];
    }
    return out;
}

TextCodec::TextCodec(Kind kind, std::string name) : kind_(kind), name_(std::move(name)) {}
TextCodec::TextCodec(TextCodec&&) noexcept = default;
TextCodec& TextCodec::operator=(TextCodec&&) noexcept = default;
TextCodec::~TextCodec() = default;

TextCodec TextCodec::Utf8() {
    return TextCodec(Kind::Utf8, "UTF-8");
}

std::optional<TextCodec> TextCodec::ForCodePage(std::string_view dwgCodePage) {
    const auto it = std::find_if(kCodePages.begin(), kCodePages.end(), [&](const CodePageName& n) {
        return SameName(n.dxf, dwgCodePage);
    });
    if (it == kCodePages.end())
        return std::nullopt;
    if (it->dxf == "ANSI_1252")
        return TextCodec(Kind::Cp1252, std::string(it->dxf));
#if !CADHOST_DXF_CODE_PAGES
    return std::nullopt;
#else
    TextCodec codec(Kind::QtCodePage, std::string(it->dxf));
    codec.converter_ = it->converter;
    codec.decoder_ = std::make_unique<QStringDecoder>(it->converter);
    codec.encoder_ = std::make_unique<QStringEncoder>(it->converter);
    if (!codec.decoder_->isValid() || !codec.encoder_->isValid())
        return std::nullopt;
    return codec;
#endif
}

#if CADHOST_DXF_CODE_PAGES

// Qt 6.4's resetState() keeps the error mark of an earlier conversion, so a converter that
// has seen an error is replaced by a new one.
QStringDecoder& TextCodec::Decoder() const {
    if (decoder_->hasError())
        decoder_ = std::make_unique<QStringDecoder>(converter_);
    decoder_->resetState();
    return *decoder_;
}

QStringEncoder& TextCodec::Encoder() const {
    if (encoder_->hasError())
        encoder_ = std::make_unique<QStringEncoder>(converter_);
    encoder_->resetState();
    return *encoder_;
}
#endif

bool TextCodec::ToUtf8(std::string_view raw, std::string& utf8) const {
    switch (kind_) {
    case Kind::Utf8:
        if (!IsValidUtf8(raw))
            return false;
        utf8.assign(raw);
        return true;
    case Kind::Cp1252:
        utf8 = qx::host::Cp1252ToUtf8(raw);
        return true;
    case Kind::QtCodePage:
        break;
    }
#if !CADHOST_DXF_CODE_PAGES
    return false;
#else
    QStringDecoder& decoder = Decoder();
    const QString text = decoder(QByteArrayView(raw.data(), static_cast<qsizetype>(raw.size())));
    if (decoder.hasError())
        return false;
    const QByteArray bytes = text.toUtf8();
    utf8.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return true;
#endif
}

TextFit TextCodec::ToHost(std::string_view raw, std::string& host) const {
    if (IsPlain(raw) || (kind_ == Kind::Cp1252 && raw.find('\\') == std::string_view::npos)) {
        host.assign(raw);
        return TextFit::Held;
    }
    std::string utf8;
    if (!ToUtf8(raw, utf8))
        return TextFit::NotDecodable;
    auto cp1252 = qx::host::Utf8ToCp1252(DecodeUnicodeEscapes(utf8));
    if (!cp1252)
        return TextFit::NotInCp1252;
    host = std::move(*cp1252);
    return TextFit::Held;
}

std::vector<std::uint32_t> TextCodec::HostCharStarts(std::string_view raw) const {
    // First every character of the encoding with where it begins, then escapes folded into
    // the one character they stand for.
    std::vector<CharAt> chars;
    chars.reserve(raw.size());
    switch (kind_) {
    case Kind::Cp1252:
        for (std::size_t i = 0; i < raw.size(); ++i)
            chars.push_back({static_cast<unsigned char>(raw[i]), static_cast<std::uint32_t>(i)});
        break;
    case Kind::Utf8:
        for (std::size_t i = 0; i < raw.size();) {
            const std::size_t start = i;
            const auto cp = NextUtf8(raw, i);
            if (!cp)
                return {};
            chars.push_back({*cp, static_cast<std::uint32_t>(start)});
        }
        break;
    case Kind::QtCodePage: {
#if !CADHOST_DXF_CODE_PAGES
        return {};
#else
        // Byte by byte: a character is complete when the decoder gives it out, and it began
        // where the bytes not yet given out began.
        QStringDecoder& decoder = Decoder();
        std::size_t pending = 0;
        for (std::size_t i = 0; i < raw.size(); ++i) {
            const QString out = decoder(QByteArrayView(raw.data() + i, 1));
            if (out.isEmpty())
                continue;
            for (const char32_t cp : out.toUcs4())
                chars.push_back({cp, static_cast<std::uint32_t>(pending)});
            pending = i + 1;
        }
        if (decoder.hasError() || pending != raw.size())
            return {};
        break;
#endif
    }
    }
    std::vector<std::uint32_t> starts;
    starts.reserve(chars.size());
    const auto get = [&chars](std::size_t i) { return chars[i].cp; };
    for (std::size_t i = 0; i < chars.size();) {
        starts.push_back(chars[i].start);
        i += EscapeAt(i, chars.size(), get) ? 7 : 1;
    }
    return starts;
}

void TextCodec::AppendEncoded(char32_t cp, std::string& out) const {
    if (kind_ == Kind::Utf8) {
        AppendUtf8(cp, out);
        return;
    }
#if CADHOST_DXF_CODE_PAGES
    if (kind_ == Kind::QtCodePage) {
        QStringEncoder& encoder = Encoder();
        const QByteArray bytes = encoder(QString::fromUcs4(&cp, 1));
        if (!encoder.hasError() && !bytes.isEmpty()) {
            out.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
            return;
        }
    }
#endif
    AppendEscape(cp, out);
}

std::string TextCodec::FromHost(std::string_view cp1252) const {
    std::string out;
    out.reserve(cp1252.size() + 8);
    const auto get = [cp1252](std::size_t i) {
        return static_cast<char32_t>(static_cast<unsigned char>(cp1252[i]));
    };
    for (std::size_t i = 0; i < cp1252.size(); ++i) {
        const char c = cp1252[i];
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\' && EscapeAt(i, cp1252.size(), get)) {
            // A backslash that would start an escape is itself written as one, so that the
            // text reads back as it was.
            AppendEscape(U'\\', out);
        } else if (c == '\n') {
            out += "^J";
        } else if (c == '\r') {
            out += "^M";
        } else if (byte < 0x80 || kind_ == Kind::Cp1252) {
            out += c;
        } else {
            const std::string utf8 = qx::host::Cp1252ToUtf8(cp1252.substr(i, 1));
            std::size_t at = 0;
            AppendEncoded(NextUtf8(utf8, at).value_or(U'?'), out);
        }
    }
    return out;
}

} // namespace cadhost::dxf
