// Texts between a DXF file's encoding and the host's Windows-1252.
#include "cadhost/formats/dxf/text_codec.h"

#include <gtest/gtest.h>

#include <string>

namespace cadhost::dxf {
namespace {

TextCodec Page(const char* name) {
    auto codec = TextCodec::ForCodePage(name);
    EXPECT_TRUE(codec.has_value()) << name;
    return codec ? std::move(*codec) : TextCodec::Utf8();
}

TEST(TextCodec, KnowsTheWindowsCodePagesByTheirDxfNames) {
    for (const char* name : {"ANSI_1250", "ANSI_1251", "ANSI_1252", "ANSI_1253", "ANSI_1254",
                             "ANSI_1255", "ANSI_1256", "ANSI_1257", "ANSI_1258", "ANSI_874",
                             "ANSI_932", "ANSI_936", "ANSI_949", "ANSI_950", "ansi_1251"}) {
        EXPECT_TRUE(TextCodec::ForCodePage(name).has_value()) << name;
    }
    EXPECT_FALSE(TextCodec::ForCodePage("ANSI_9999").has_value());
    EXPECT_FALSE(TextCodec::ForCodePage("").has_value());
}

struct HostCase {
    const char* codec; // "UTF-8" or a $DWGCODEPAGE name
    std::string raw;
    TextFit fit;
    std::string host; // Windows-1252 bytes when held
};

class ToHostCases : public ::testing::TestWithParam<HostCase> {};

TEST_P(ToHostCases, DecodesTheFileEncodingAndEscapes) {
    const HostCase& c = GetParam();
    const TextCodec codec = std::string(c.codec) == "UTF-8" ? TextCodec::Utf8() : Page(c.codec);
    std::string host = "untouched";
    EXPECT_EQ(codec.ToHost(c.raw, host), c.fit);
    if (c.fit == TextFit::Held) {
        EXPECT_EQ(host, c.host);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ToHostCases,
    ::testing::Values(HostCase{"UTF-8", "Door 1", TextFit::Held, "Door 1"},
                      HostCase{"UTF-8", "T\xC3\xBCr \xE2\x82\xAC", TextFit::Held, "T\xFCr \x80"},
                      HostCase{"UTF-8", "\\U+00FC and \\U+20AC", TextFit::Held, "\xFC and \x80"},
                      HostCase{"UTF-8", "\xE6\x97\xA5 door", TextFit::NotInCp1252, ""},
                      HostCase{"UTF-8", "\\U+65E5", TextFit::NotInCp1252, ""},
                      HostCase{"UTF-8", "bad \xC3", TextFit::NotDecodable, ""},
                      // Not an escape: too few digits, or a lower-case u.
                      HostCase{"UTF-8", "\\U+00F", TextFit::Held, "\\U+00F"},
                      HostCase{"UTF-8", "\\u+00FC", TextFit::Held, "\\u+00FC"},
                      HostCase{"ANSI_1252", "T\xFCr", TextFit::Held, "T\xFCr"},
                      HostCase{"ANSI_1252", "\\U+0416", TextFit::NotInCp1252, ""},
                      HostCase{"ANSI_1251", "\xC4\xE2\xE5\xF0\xFC", TextFit::NotInCp1252, ""},
                      HostCase{"ANSI_1251", "Door \\U+00E4", TextFit::Held, "Door \xE4"},
                      HostCase{"ANSI_1251", "\x88", TextFit::Held,
                               "\x80"}, // the euro sign sits elsewhere
                      HostCase{"DOS850", "\x81", TextFit::Held, "\xFC"},
                      HostCase{"ANSI_932", "\x93\xFA door", TextFit::NotInCp1252, ""}));

TEST(TextCodec, FromHostUsesEscapesForWhatTheCodePageLacks) {
    EXPECT_EQ(Page("ANSI_1251").FromHost("Door \xE4"), "Door \\U+00E4");
    EXPECT_EQ(Page("ANSI_1251").FromHost("\x80"), "\x88");
    EXPECT_EQ(Page("ANSI_1252").FromHost("T\xFCr"), "T\xFCr");
    EXPECT_EQ(TextCodec::Utf8().FromHost("T\xFCr \x80"), "T\xC3\xBCr \xE2\x82\xAC");
}

TEST(TextCodec, FromHostWritesLineEndsInCaretForm) {
    EXPECT_EQ(TextCodec::Utf8().FromHost("a\nb\r\tc"), "a^Jb^M\tc");
    EXPECT_EQ(Page("ANSI_1252").FromHost(std::string("x\0y", 3)), std::string("x\0y", 3));
}

// A text that holds what looks like an escape reads back as the same text.
TEST(TextCodec, FromHostEscapesABackslashThatWouldStartAnEscape) {
    for (const char* codec : {"UTF-8", "ANSI_1252", "ANSI_1251"}) {
        const TextCodec c = std::string(codec) == "UTF-8" ? TextCodec::Utf8() : Page(codec);
        const std::string host = "a\\U+0041 \\U+12 \\";
        const std::string raw = c.FromHost(host);
        EXPECT_EQ(raw, "a\\U+005CU+0041 \\U+12 \\") << codec;
        std::string back;
        ASSERT_EQ(c.ToHost(raw, back), TextFit::Held) << codec;
        EXPECT_EQ(back, host) << codec;
    }
}

// Every character of a decoded text has the place in the raw value where it begins.
TEST(TextCodec, HostCharStartsMatchTheDecodedText) {
    struct Case {
        const char* codec;
        std::string raw;
        std::vector<std::uint32_t> starts;
    };
    const Case cases[] = {
        {"UTF-8",
         "a\xC3\xBC"
         "b",
         {0, 1, 3}},
        {"UTF-8", "x\\U+00FCy", {0, 1, 8}},
        {"ANSI_1252", "T\xFCr", {0, 1, 2}},
        {"ANSI_1251", "\\U+00E4z", {0, 7}},
        {"ANSI_932", "a\\U+00E4b", {0, 1, 8}},
    };
    for (const Case& c : cases) {
        const TextCodec codec = std::string(c.codec) == "UTF-8" ? TextCodec::Utf8() : Page(c.codec);
        std::string host;
        ASSERT_EQ(codec.ToHost(c.raw, host), TextFit::Held) << c.raw;
        EXPECT_EQ(codec.HostCharStarts(c.raw), c.starts) << c.raw;
        EXPECT_EQ(codec.HostCharStarts(c.raw).size(), host.size()) << c.raw;
    }
}

TEST(TextCodec, MultiByteCodePagesRoundTrip) {
    // Shift_JIS: a two-byte character whose second byte is a backslash must not start an
    // escape, and must be counted as one character.
    const TextCodec sjis = Page("ANSI_932");
    std::string utf8;
    ASSERT_TRUE(sjis.ToUtf8("\x95\x5C", utf8));
    EXPECT_EQ(utf8, "\xE8\xA1\xA8"); // 表
    EXPECT_EQ(sjis.FromHost("Tor"), "Tor");
}

// A fault in one text says nothing about the next.
TEST(TextCodec, AnUndecodableTextLeavesTheNextOneAlone) {
    const TextCodec greek = Page("ANSI_1253");
    std::string host;
    EXPECT_EQ(greek.ToHost("bad \xFF", host), TextFit::NotDecodable);
    EXPECT_EQ(greek.ToHost("\\U+00E4 ok", host), TextFit::Held);
    EXPECT_EQ(host, "\xE4 ok");
    const TextCodec cyrillic = Page("ANSI_1251");
    EXPECT_EQ(cyrillic.FromHost("\xE4\x80"), "\\U+00E4\x88");
}

TEST(TextCodec, DecodeUnicodeEscapes) {
    EXPECT_EQ(DecodeUnicodeEscapes("a\\U+0041\\U+00e4"), "aA\xC3\xA4");
    EXPECT_EQ(DecodeUnicodeEscapes("\\U+12"), "\\U+12");
    EXPECT_EQ(DecodeUnicodeEscapes("\\U+12G4"), "\\U+12G4");
}

} // namespace
} // namespace cadhost::dxf
