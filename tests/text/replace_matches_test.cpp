#include "text/replace_matches.h"

#include <gtest/gtest.h>

#include <string>

namespace qx::text {
namespace {

struct ReplaceCase {
    const char* name;
    std::string text;
    std::string search;
    std::string replacement;
    CaseSens caseSens = CaseSens::No;
    WholeWords wholeWords = WholeWords::No;
    WholeEnts wholeEnts = WholeEnts::No;
    std::int32_t maxLen = 0;
    std::string expected;
    std::int32_t count = 0;
    bool lenError = false;
};

// A text of the given length made of filler with 'x' at the given positions.
std::string Filled(std::size_t length, std::initializer_list<std::size_t> xs) {
    std::string text(length, '-');
    for (std::size_t pos : xs)
        text[pos] = 'x';
    return text;
}

std::string Replaced(std::string text, std::initializer_list<std::size_t> xs) {
    std::size_t shift = 0;
    for (std::size_t pos : xs) {
        text.replace(pos + shift, 1, "xyz");
        shift += 2;
    }
    return text;
}

const ReplaceCase kReplaceCases[] = {
    {.name = "FoldedFindsEveryCase",
     .text = "ABC abc Abc",
     .search = "abc",
     .replacement = "x",
     .expected = "x x x",
     .count = 3},
    {.name = "CaseSensitiveFindsExactOnly",
     .text = "ABC abc Abc",
     .search = "abc",
     .replacement = "x",
     .caseSens = CaseSens::Yes,
     .expected = "ABC x Abc",
     .count = 1},
    {.name = "AccentedLettersAreNotFolded",
     .text = "\xC9t\xE9",
     .search = "\xC9T\xC9",
     .replacement = "x",
     .expected = "\xC9t\xE9"},
    {.name = "AccentedLettersMatchExactly",
     .text = "caf\xE9",
     .search = "CAF\xE9",
     .replacement = "tea",
     .expected = "tea",
     .count = 1},
    {.name = "WholeWordHonoursPunctuationAndUnderscore",
     .text = "cat concat cat_1 cat.",
     .search = "cat",
     .replacement = "dog",
     .wholeWords = WholeWords::Yes,
     .expected = "dog concat dog_1 dog.",
     .count = 3},
    {.name = "WholeWordExaminesOverlappingCandidates",
     .text = "abab ab",
     .search = "ab",
     .replacement = "X",
     .wholeWords = WholeWords::Yes,
     .expected = "abab X",
     .count = 1},
    {.name = "WholeWordDigitIsAWordCharacter",
     .text = "cat1 1cat",
     .search = "cat",
     .replacement = "dog",
     .wholeWords = WholeWords::Yes,
     .expected = "cat1 1cat"},
    {.name = "WholeWordAccentedLetterIsABoundary",
     .text = "\xE9"
             "cat\xFC",
     .search = "cat",
     .replacement = "dog",
     .wholeWords = WholeWords::Yes,
     .expected = "\xE9"
                 "dog\xFC",
     .count = 1},
    {.name = "WholeWordLooksAtTheEditedText",
     .text = ".a.a",
     .search = ".a",
     .replacement = "-",
     .wholeWords = WholeWords::Yes,
     .expected = "--",
     .count = 2},
    {.name = "WholeEntityMatchesWholeText",
     .text = "Door",
     .search = "door",
     .replacement = "Gate",
     .wholeEnts = WholeEnts::Yes,
     .expected = "Gate",
     .count = 1},
    {.name = "WholeEntityRejectsLongerText",
     .text = "Door 1",
     .search = "door",
     .replacement = "Gate",
     .wholeEnts = WholeEnts::Yes,
     .expected = "Door 1"},
    {.name = "WholeEntityHonoursCase",
     .text = "Door",
     .search = "door",
     .replacement = "Gate",
     .caseSens = CaseSens::Yes,
     .wholeEnts = WholeEnts::Yes,
     .expected = "Door"},
    {.name = "WholeEntityIgnoresWordTest",
     .text = "a_b",
     .search = "A_B",
     .replacement = "c",
     .wholeWords = WholeWords::Yes,
     .wholeEnts = WholeEnts::Yes,
     .expected = "c",
     .count = 1},
    {.name = "ReplacementIsNeverSearchedAgain",
     .text = "aaa",
     .search = "a",
     .replacement = "aa",
     .expected = "aaaaaa",
     .count = 3},
    {.name = "EmptyReplacementDeletes",
     .text = "banana",
     .search = "a",
     .replacement = "",
     .expected = "bnn",
     .count = 3},
    {.name = "DeletionJoinsButDoesNotRescanBehind",
     .text = "aabb",
     .search = "ab",
     .replacement = "",
     .expected = "ab",
     .count = 1},
    {.name = "EmptySearchNeverOccurs",
     .text = "abc",
     .search = "",
     .replacement = "x",
     .expected = "abc"},
    {.name = "SearchLongerThanText",
     .text = "ab",
     .search = "abc",
     .replacement = "x",
     .expected = "ab"},
    {.name = "LimitStopsAtFirstMisfitAndKeepsEarlier",
     .text = Filled(250, {10, 100, 200}),
     .search = "x",
     .replacement = "xyz",
     .maxLen = 255,
     .expected = Replaced(Filled(250, {10, 100, 200}), {10, 100}),
     .count = 2,
     .lenError = true},
    {.name = "LimitAllowsExactlyTheLimit",
     .text = Filled(253, {0}),
     .search = "x",
     .replacement = "xyz",
     .maxLen = 255,
     .expected = Replaced(Filled(253, {0}), {0}),
     .count = 1},
    {.name = "LimitRefusesTheFirstReplacement",
     .text = Filled(254, {7}),
     .search = "x",
     .replacement = "xyz",
     .maxLen = 255,
     .expected = Filled(254, {7}),
     .lenError = true},
    {.name = "ZeroLimitMeansNoLimit",
     .text = Filled(300, {0, 299}),
     .search = "x",
     .replacement = "xyz",
     .maxLen = 0,
     .expected = Replaced(Filled(300, {0, 299}), {0, 299}),
     .count = 2},
    {.name = "NegativeLimitMeansNoLimit",
     .text = Filled(300, {5}),
     .search = "x",
     .replacement = "xyz",
     .maxLen = -1,
     .expected = Replaced(Filled(300, {5}), {5}),
     .count = 1},
};

class ReplaceMatchesTable : public testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceMatchesTable, StringForm) {
    const ReplaceCase& c = GetParam();
    std::string text = c.text;
    bool lenError = false;
    const auto count = ReplaceMatches(text, c.search, c.replacement, c.caseSens, c.wholeWords,
                                      c.wholeEnts, lenError, TestOnly::No, c.maxLen);
    EXPECT_EQ(text, c.expected);
    EXPECT_EQ(count, c.count);
    EXPECT_EQ(lenError, c.lenError);
}

TEST_P(ReplaceMatchesTable, TestOnlyAnswersWithoutEditing) {
    const ReplaceCase& c = GetParam();
    std::string text = c.text;
    bool lenError = false;
    const auto answer = ReplaceMatches(text, c.search, c.replacement, c.caseSens, c.wholeWords,
                                       c.wholeEnts, lenError, TestOnly::Yes, c.maxLen);
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(answer, c.count > 0 ? 1 : 0);
    // A test stops at the first acceptable occurrence, so it reports an overflow only when
    // that very first replacement does not fit.
    EXPECT_EQ(lenError, c.lenError && c.count == 0);
}

INSTANTIATE_TEST_SUITE_P(Rules, ReplaceMatchesTable, testing::ValuesIn(kReplaceCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ReplaceMatches, LenErrorIsNeverCleared) {
    std::string text = "abc";
    bool lenError = true;
    EXPECT_EQ(ReplaceMatches(text, "b", "x", CaseSens::No, WholeWords::No, WholeEnts::No, lenError,
                             TestOnly::No, 255),
              1);
    EXPECT_TRUE(lenError);
}

struct EntityLimitCase {
    const char* name;
    std::int32_t maxLen;
    std::size_t fits; // the longest text for which "x" -> "xyz" still fits
};

class EntityTextLimit : public testing::TestWithParam<EntityLimitCase> {};

TEST_P(EntityTextLimit, IsAlwaysAtMost255) {
    const auto& c = GetParam();
    for (const std::size_t length : {c.fits, c.fits + 1}) {
        host::str255 text(Filled(length, {0}));
        bool lenError = false;
        const auto count = ReplaceMatches(text, "x", "xyz", CaseSens::No, WholeWords::No,
                                          WholeEnts::No, lenError, TestOnly::No, c.maxLen);
        const bool fits = length == c.fits;
        EXPECT_EQ(count, fits ? 1 : 0) << length;
        EXPECT_EQ(lenError, !fits) << length;
        EXPECT_EQ(text.len, fits ? length + 2 : length) << length;
    }
}

INSTANTIATE_TEST_SUITE_P(Limits, EntityTextLimit,
                         testing::Values(EntityLimitCase{"Zero", 0, 253},
                                         EntityLimitCase{"Negative", -5, 253},
                                         EntityLimitCase{"AboveCapacity", 1000, 253},
                                         EntityLimitCase{"Exact", 255, 253},
                                         EntityLimitCase{"Smaller", 100, 98}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ReplaceMatches, EntityFormEditsInPlace) {
    host::str255 text("Door and door");
    bool lenError = false;
    EXPECT_EQ(ReplaceMatches(text, "DOOR", "Gate", CaseSens::No, WholeWords::Yes, WholeEnts::No,
                             lenError, TestOnly::No),
              2);
    EXPECT_EQ(text.view(), "Gate and Gate");
    EXPECT_FALSE(lenError);
}

TEST(ReplaceMatches, StringsPointingIntoTheTextAreSafe) {
    std::string text = "abc";
    bool lenError = false;
    EXPECT_EQ(ReplaceMatches(text, std::string_view(text).substr(1, 1), text, CaseSens::Yes,
                             WholeWords::No, WholeEnts::No, lenError, TestOnly::No, 0),
              1);
    EXPECT_EQ(text, "aabcc");

    host::str255 entity("abc");
    EXPECT_EQ(ReplaceMatches(entity, entity.view().substr(1, 1), entity.view(), CaseSens::Yes,
                             WholeWords::No, WholeEnts::No, lenError, TestOnly::No),
              1);
    EXPECT_EQ(entity.view(), "aabcc");
}

} // namespace
} // namespace qx::text
