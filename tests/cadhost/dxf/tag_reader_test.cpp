// The tag layer: every value is a span of the file's own bytes, and every fault names its line.
#include "cadhost/formats/dxf/tag_reader.h"
#include "tests/cadhost/dxf/forgetful_bytes.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace cadhost::dxf {
namespace {

using ::testing::HasSubstr;

struct Read {
    std::vector<std::pair<int, std::string>> tags;
    std::string error;
};

Read ReadFrom(std::string_view bytes, SourceBytes* source) {
    Read r;
    TagReader reader(bytes, source);
    Tag t;
    while (reader.Next(t))
        r.tags.emplace_back(t.code, std::string(bytes.substr(t.offset, t.length)));
    r.error = reader.Error();
    return r;
}

// Reads the bytes whole, and again from a source that reads them a few bytes at a time as the
// reader asks: every tag and every fault must come out the same.
Read ReadAll(std::string_view bytes) {
    const Read whole = ReadFrom(bytes, nullptr);
    test::ForgetfulBytes source{std::string(bytes)};
    const Read asRead = ReadFrom(source.Bytes(), &source);
    EXPECT_EQ(asRead.tags, whole.tags);
    EXPECT_EQ(asRead.error, whole.error);
    return whole;
}

struct GoodCase {
    const char* name;
    std::string bytes;
    std::vector<std::pair<int, std::string>> tags;
};

class TagReaderGood : public ::testing::TestWithParam<GoodCase> {};

TEST_P(TagReaderGood, GivesEachValueAsWritten) {
    const Read r = ReadAll(GetParam().bytes);
    EXPECT_EQ(r.error, "");
    EXPECT_EQ(r.tags, GetParam().tags);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, TagReaderGood,
    ::testing::Values(
        GoodCase{"PaddedCodes", "  0\nSECTION\n  2\nHEADER\n", {{0, "SECTION"}, {2, "HEADER"}}},
        GoodCase{"PlainCodes", "0\nSECTION\n999\nnote\n", {{0, "SECTION"}, {999, "note"}}},
        GoodCase{"CrLf", "  0\r\nTEXT\r\n  1\r\nDoor\r\n", {{0, "TEXT"}, {1, "Door"}}},
        GoodCase{"NoLastLineEnd", "  0\nEOF", {{0, "EOF"}}},
        GoodCase{"ByteOrderMark", "\xEF\xBB\xBF  0\nEOF\n", {{0, "EOF"}}},
        // Blanks belong to the value: a text may begin or end with them.
        GoodCase{"BlanksKept", "  1\n  two words \n", {{1, "  two words "}}},
        GoodCase{"EmptyValue", "  1\n\n  0\nEOF\n", {{1, ""}, {0, "EOF"}}},
        GoodCase{"NegativeCode", " -1\nx\n", {{-1, "x"}}},
        GoodCase{"TrailingBlanksAfterCode", "  8 \t\n0\n", {{8, "0"}}},
        GoodCase{"BlanksBeforeCrLf", "\t8 \r\n0\r\n", {{8, "0"}}},
        GoodCase{"LargestCode", "32767\nx\n", {{32767, "x"}}},
        // A lone carriage return ends a value only before its line feed.
        GoodCase{"ReturnInsideValue", "  1\na\rb\r\n", {{1, "a\rb"}}}),
    [](const auto& info) { return std::string(info.param.name); });

struct BadCase {
    const char* name;
    std::string bytes;
    std::string message;
};

class TagReaderBad : public ::testing::TestWithParam<BadCase> {};

TEST_P(TagReaderBad, NamesTheLineOfTheFault) {
    const Read r = ReadAll(GetParam().bytes);
    EXPECT_THAT(r.error, HasSubstr(GetParam().message));
}

INSTANTIATE_TEST_SUITE_P(
    Faults, TagReaderBad,
    ::testing::Values(
        BadCase{"CodeNotANumber", "  0\nSECTION\nabc\nHEADER\n",
                "line 3: the group code \"abc\" is not a number"},
        BadCase{"CodeWithText", "  0\nSECTION\n 2x\nHEADER\n", "line 3:"},
        BadCase{"EmptyCodeLine", "\nSECTION\n", "line 1: the group code \"\" is not a number"},
        BadCase{"CodeOutOfRange", "99999\nx\n", "line 1:"},
        // The last digit takes the code past the largest; the line ends right after it.
        BadCase{"CodeOutOfRangeAtItsLastDigit", "  0\nx\n32768\nx\n",
                "line 3: the group code \"32768\" is not a number"},
        BadCase{"ReturnBeforeBlank", " 1 \r \nx\n",
                "line 1: the group code \" 1 \r \" is not a number"},
        BadCase{"CodeLineWithoutEnd", "  0\nx\n  1", "line 3: the group code 1 has no value"},
        BadCase{"OddNumberOfLines", "  0\nSECTION\n  2\n",
                "line 3: the group code 2 has no value: the file ends after it"},
        BadCase{"OversizedValue", "  1\n" + std::string(kMaxValueLength + 1, 'x') + "\n",
                "line 2: the value is 65536 bytes long; at most 65535 are allowed"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TagReader, SpansPointIntoTheBytesAndKnowTheirLines) {
    const std::string bytes = "  0\r\nTEXT\r\n  1\r\nDoor 1\r\n";
    TagReader reader(bytes);
    Tag first;
    Tag second;
    ASSERT_TRUE(reader.Next(first));
    ASSERT_TRUE(reader.Next(second));
    EXPECT_EQ(first.start, 0u);
    EXPECT_EQ(first.line, 1u);
    EXPECT_EQ(second.start, 11u);
    EXPECT_EQ(second.line, 3u);
    EXPECT_EQ(bytes.substr(second.offset, second.length), "Door 1");
    EXPECT_EQ(ValueLineEnd(bytes, second.offset, second.length), bytes.size());
    EXPECT_FALSE(reader.Next(second));
    EXPECT_TRUE(reader.AtEnd());
}

TEST(TagReader, StopsAtTheFirstFault) {
    TagReader reader("x\n1\n  0\nEOF\n");
    Tag t;
    EXPECT_FALSE(reader.Next(t));
    EXPECT_FALSE(reader.Next(t));
    EXPECT_FALSE(reader.AtEnd());
}

} // namespace
} // namespace cadhost::dxf
