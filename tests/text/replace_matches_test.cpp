#include "text/replace_matches.h"

#include <gtest/gtest.h>

#include <string>

namespace qx::text {
namespace {

// Options of a row, combined with |.
enum Options : unsigned { kFolded = 0, kCase = 1, kWord = 2, kEnt = 4 };

struct ReplaceCase {
    const char* name;
    std::string text;
    std::string search;
    std::string replacement;
    unsigned options;
    std::int32_t maxLen;
    std::string expected;
    std::int32_t count;
    bool lenError;
};

// A text of the given length made of filler with 'x' at the given positions.
std::string Filled(std::size_t length, std::initializer_list<std::size_t> xs) {
    std::string text(length, '-');
    for (std::size_t pos : xs)
        text[pos] = 'x';
    return text;
}

// The same text with the 'x' at the given positions replaced by "xyz".
std::string Grown(std::string text, std::initializer_list<std::size_t> xs) {
    std::size_t shift = 0;
    for (std::size_t pos : xs) {
        text.replace(pos + shift, 1, "xyz");
        shift += 2;
    }
    return text;
}

// clang-format off
const ReplaceCase kReplaceCases[] = {
    {"FoldedFindsEveryCase", "ABC abc Abc", "abc", "x", kFolded, 0, "x x x", 3, false},
    {"CaseSensitiveFindsExactOnly", "ABC abc Abc", "abc", "x", kCase, 0, "ABC x Abc", 1, false},
    {"AccentedLettersAreNotFolded", "\xC9t\xE9", "\xC9T\xC9", "x", kFolded, 0, "\xC9t\xE9", 0, false},
    {"AccentedLettersMatchExactly", "caf\xE9", "CAF\xE9", "tea", kFolded, 0, "tea", 1, false},
    {"WholeWordHonoursPunctuationAndUnderscore", "cat concat cat_1 cat.", "cat", "dog", kWord, 0,
     "dog concat dog_1 dog.", 3, false},
    {"WholeWordExaminesOverlappingCandidates", "abab ab", "ab", "X", kWord, 0, "abab X", 1, false},
    {"WholeWordDigitIsAWordCharacter", "cat1 1cat", "cat", "dog", kWord, 0, "cat1 1cat", 0, false},
    {"WholeWordAccentedLetterIsABoundary", "\xE9" "cat\xFC", "cat", "dog", kWord, 0,
     "\xE9" "dog\xFC", 1, false},
    {"WholeWordLooksAtTheEditedText", ".a.a", ".a", "-", kWord, 0, "--", 2, false},
    {"WholeEntityMatchesWholeText", "Door", "door", "Gate", kEnt, 0, "Gate", 1, false},
    {"WholeEntityRejectsLongerText", "Door 1", "door", "Gate", kEnt, 0, "Door 1", 0, false},
    {"WholeEntityHonoursCase", "Door", "door", "Gate", kCase | kEnt, 0, "Door", 0, false},
    {"WholeEntityIgnoresWordTest", "a_b", "A_B", "c", kWord | kEnt, 0, "c", 1, false},
    {"ReplacementIsNeverSearchedAgain", "aaa", "a", "aa", kFolded, 0, "aaaaaa", 3, false},
    {"EmptyReplacementDeletes", "banana", "a", "", kFolded, 0, "bnn", 3, false},
    {"DeletionDoesNotRescanBehind", "aabb", "ab", "", kFolded, 0, "ab", 1, false},
    {"EmptySearchNeverOccurs", "abc", "", "x", kFolded, 0, "abc", 0, false},
    {"SearchLongerThanText", "ab", "abc", "x", kFolded, 0, "ab", 0, false},
    {"LimitStopsAtFirstMisfitAndKeepsEarlier", Filled(250, {10, 100, 200}), "x", "xyz", kFolded,
     255, Grown(Filled(250, {10, 100, 200}), {10, 100}), 2, true},
    {"LimitAllowsExactlyTheLimit", Filled(253, {0}), "x", "xyz", kFolded, 255,
     Grown(Filled(253, {0}), {0}), 1, false},
    {"LimitRefusesTheFirstReplacement", Filled(254, {7}), "x", "xyz", kFolded, 255,
     Filled(254, {7}), 0, true},
    {"ZeroLimitMeansNoLimit", Filled(300, {0, 299}), "x", "xyz", kFolded, 0,
     Grown(Filled(300, {0, 299}), {0, 299}), 2, false},
    {"NegativeLimitMeansNoLimit", Filled(300, {5}), "x", "xyz", kFolded, -1,
     Grown(Filled(300, {5}), {5}), 1, false},
};
// clang-format on

std::int32_t ReplaceRow(std::string& text, const ReplaceCase& c, bool& lenError,
                        TestOnly testOnly) {
    return ReplaceMatches(text, c.search, c.replacement,
                          MatchOptions{CaseSens{(c.options & kCase) != 0},
                                       WholeWords{(c.options & kWord) != 0},
                                       WholeEnts{(c.options & kEnt) != 0}},
                          lenError, testOnly, c.maxLen);
}

class ReplaceMatchesTable : public testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceMatchesTable, StringForm) {
    const ReplaceCase& c = GetParam();
    std::string text = c.text;
    bool lenError = false;
    const auto count = ReplaceRow(text, c, lenError, TestOnly::No);
    EXPECT_EQ(text, c.expected);
    EXPECT_EQ(count, c.count);
    EXPECT_EQ(lenError, c.lenError);
}

TEST_P(ReplaceMatchesTable, TestOnlyAnswersWithoutEditing) {
    const ReplaceCase& c = GetParam();
    std::string text = c.text;
    bool lenError = false;
    const auto answer = ReplaceRow(text, c, lenError, TestOnly::Yes);
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
    EXPECT_EQ(ReplaceMatches(text, "b", "x", MatchOptions{}, lenError, TestOnly::No, 255), 1);
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
        const auto count =
            ReplaceMatches(text, "x", "xyz", MatchOptions{}, lenError, TestOnly::No, c.maxLen);
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
    EXPECT_EQ(ReplaceMatches(text, "DOOR", "Gate", MatchOptions{.wholeWords = WholeWords::Yes},
                             lenError, TestOnly::No),
              2);
    EXPECT_EQ(text.view(), "Gate and Gate");
    EXPECT_FALSE(lenError);
}

TEST(ReplaceMatches, StringsPointingIntoTheTextAreSafe) {
    std::string text = "abc";
    bool lenError = false;
    EXPECT_EQ(ReplaceMatches(text, std::string_view(text).substr(1, 1), text,
                             MatchOptions{.caseSens = CaseSens::Yes}, lenError, TestOnly::No, 0),
              1);
    EXPECT_EQ(text, "aabcc");

    host::str255 entity("abc");
    EXPECT_EQ(ReplaceMatches(entity, entity.view().substr(1, 1), entity.view(),
                             MatchOptions{.caseSens = CaseSens::Yes}, lenError, TestOnly::No),
              1);
    EXPECT_EQ(entity.view(), "aabcc");
}

} // namespace
} // namespace qx::text
