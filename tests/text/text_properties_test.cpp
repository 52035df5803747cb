// Randomized checks over many texts and options, with a fixed seed so a failure repeats.
#include "text/case_conversion.h"
#include "text/number_increment.h"
#include "text/number_patterns.h"
#include "text/replace_matches.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace qx::text {
namespace {

constexpr int kRounds = 20000;

class Random {
public:
    explicit Random(unsigned seed) : engine_(seed) {}

    int Int(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }
    bool Coin() { return Int(0, 1) == 1; }

    std::string Text(std::string_view alphabet, int maxLength) {
        std::string text(static_cast<std::size_t>(Int(0, maxLength)), ' ');
        for (char& c : text)
            c = alphabet[static_cast<std::size_t>(Int(0, static_cast<int>(alphabet.size()) - 1))];
        return text;
    }

    std::string AnyBytes(int maxLength) {
        std::string text(static_cast<std::size_t>(Int(0, maxLength)), ' ');
        for (char& c : text)
            c = static_cast<char>(Int(0, 255));
        return text;
    }

private:
    std::mt19937 engine_;
};

// A small alphabet makes matches, overlaps and word boundaries frequent.
constexpr std::string_view kWordy = "aAbB .1_\xE9\xC9";

char Fold(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

bool IsWord(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

std::string Folded(std::string s, CaseSens caseSens) {
    if (caseSens == CaseSens::No) {
        for (char& c : s)
            c = Fold(c);
    }
    return s;
}

struct ModelResult {
    std::string text;
    std::int32_t count = 0;
    bool lenError = false;
};

// The rule written the plain way: folded copies rebuilt after every edit.
ModelResult Model(std::string text, const std::string& search, const std::string& replacement,
                  CaseSens caseSens, WholeWords wholeWords, WholeEnts wholeEnts, int maxLen) {
    ModelResult result;
    const std::string f = Folded(search, caseSens);
    if (f.empty() || (wholeEnts == WholeEnts::Yes && text.size() != f.size())) {
        result.text = text;
        return result;
    }
    std::size_t p = 0;
    while (true) {
        const std::string t = Folded(text, caseSens);
        p = t.find(f, p);
        if (p == std::string::npos)
            break;
        const bool before = p > 0 && IsWord(text[p - 1]);
        const bool after = p + f.size() < text.size() && IsWord(text[p + f.size()]);
        if (wholeWords == WholeWords::Yes && (before || after)) {
            ++p;
            continue;
        }
        if (maxLen > 0 && static_cast<int>(text.size() - f.size() + replacement.size()) > maxLen) {
            result.lenError = true;
            break;
        }
        text.erase(p, f.size());
        text.insert(p, replacement);
        p += replacement.size();
        ++result.count;
    }
    result.text = text;
    return result;
}

// Texts of one alphabet, long enough or not for the engine's eight-byte steps.
struct TextShape {
    const char* name;
    std::string_view alphabet;
    int maxText;
    int maxSearch;
};

void PrintTo(const TextShape& shape, std::ostream* os) {
    *os << shape.name;
}

class ReplaceMatchesProperties : public testing::TestWithParam<TextShape> {};

TEST_P(ReplaceMatchesProperties, AgreesWithThePlainRuleAndItsTestOnlyAnswer) {
    const TextShape& shape = GetParam();
    Random random(20240611);
    for (int round = 0; round < kRounds; ++round) {
        const std::string original = random.Text(shape.alphabet, shape.maxText);
        const std::string search = random.Text(shape.alphabet, shape.maxSearch);
        const std::string replacement = random.Text(shape.alphabet, 4);
        const CaseSens caseSens{random.Coin()};
        const WholeWords wholeWords{random.Coin()};
        const WholeEnts wholeEnts{random.Int(0, 7) == 0};
        const MatchOptions options{caseSens, wholeWords, wholeEnts};
        const int maxLen = random.Int(-1, 50);
        SCOPED_TRACE("round " + std::to_string(round) + " text '" + original + "' search '" +
                     search + "' replacement '" + replacement + "' maxLen " +
                     std::to_string(maxLen));

        const ModelResult expected =
            Model(original, search, replacement, caseSens, wholeWords, wholeEnts, maxLen);
        std::string text = original;
        bool lenError = false;
        const auto count =
            ReplaceMatches(text, search, replacement, options, lenError, TestOnly::No, maxLen);
        ASSERT_EQ(text, expected.text);
        ASSERT_EQ(count, expected.count);
        ASSERT_EQ(lenError, expected.lenError);
        if (maxLen > 0 && static_cast<int>(original.size()) <= maxLen) {
            ASSERT_LE(static_cast<int>(text.size()), maxLen);
        }

        std::string probe = original;
        bool probeLenError = false;
        const auto answer = ReplaceMatches(probe, search, replacement, options, probeLenError,
                                           TestOnly::Yes, maxLen);
        ASSERT_EQ(answer, count > 0 ? 1 : 0);
        ASSERT_EQ(probe, original);

        // The entity form must give the same result whenever the limit is an entity limit.
        if (maxLen > 0) {
            host::str255 entity(original);
            bool entityLenError = false;
            const auto entityCount = ReplaceMatches(entity, search, replacement, options,
                                                    entityLenError, TestOnly::No, maxLen);
            ASSERT_EQ(entity.view(), text);
            ASSERT_EQ(entityCount, count);
            ASSERT_EQ(entityLenError, lenError);
        }
    }
}

// Besides the wordy texts: bytes one case bit away from letters ('@' and '`', '[' and '{', and
// accented letters) that a folded compare must keep apart, in texts long enough to be read
// eight bytes at a time with a tail.
INSTANTIATE_TEST_SUITE_P(Shapes, ReplaceMatchesProperties,
                         testing::Values(TextShape{"Wordy", kWordy, 40, 3},
                                         TextShape{"CaseBitNeighbours", "aA@`[{\xC1\xE1 1", 120,
                                                   5}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CaseConversionProperties, KeepLengthAndAgreeWithChangeTest) {
    Random random(7);
    const CaseConversion conversions[] = {CaseConversion::Upper, CaseConversion::Lower,
                                          CaseConversion::Sentence};
    for (int round = 0; round < kRounds; ++round) {
        const std::string text = random.AnyBytes(60);
        for (const CaseConversion conversion : conversions) {
            for (const CaseMapping mapping : {CaseMapping::Ascii, CaseMapping::Full}) {
                const std::string converted = ConvertedCase(text, conversion, mapping);
                ASSERT_EQ(converted.size(), text.size());
                ASSERT_EQ(ConversionChanges(text, conversion, mapping), converted != text);
                // Converting twice changes nothing more.
                ASSERT_EQ(ConvertedCase(converted, conversion, mapping), converted);
                if (mapping == CaseMapping::Ascii && conversion != CaseConversion::Sentence) {
                    for (std::size_t i = 0; i < text.size(); ++i) {
                        if (static_cast<unsigned char>(text[i]) >= 0x80) {
                            ASSERT_EQ(converted[i], text[i]);
                        }
                    }
                }
            }
        }
        // Full case pairs are true pairs: lowering the upper case gives the lower case back.
        const std::string lower = ConvertedCase(text, CaseConversion::Lower, CaseMapping::Full);
        ASSERT_EQ(ConvertedCase(ConvertedCase(lower, CaseConversion::Upper, CaseMapping::Full),
                                CaseConversion::Lower, CaseMapping::Full),
                  lower);
    }
}

struct DigitRun {
    std::size_t start;
    std::size_t length;
};

std::vector<DigitRun> Runs(const std::string& text) {
    std::vector<DigitRun> runs;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] < '0' || text[i] > '9') {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && text[end] >= '0' && text[end] <= '9')
            ++end;
        runs.push_back({i, end - i});
        i = end;
    }
    return runs;
}

TEST(IncrementProperties, ChangeOnlyTheDigitsAndSignOfTheTargetRun) {
    Random random(99);
    constexpr std::string_view kNumbery = "0123456789-. a";
    for (int round = 0; round < kRounds; ++round) {
        const std::string original = random.Text(kNumbery, 30);
        const auto step = random.Int(0, 9) == 0 ? random.Int(std::numeric_limits<int>::min(),
                                                             std::numeric_limits<int>::max())
                                                : random.Int(-1000, 1000);
        const int which = random.Int(0, 4);
        SCOPED_TRACE("round " + std::to_string(round) + " text '" + original + "' step " +
                     std::to_string(step) + " which " + std::to_string(which));

        const std::vector<DigitRun> runs = Runs(original);
        std::optional<DigitRun> target;
        if (which == 0 && !runs.empty())
            target = runs.front();
        if (which == 1 && runs.size() > 1)
            target = runs[1];
        if (which == 2 && !runs.empty())
            target = runs.back();
        if (which == 3 && !runs.empty() && runs.front().start == 0)
            target = runs.front();
        if (which == 4 && !runs.empty() &&
            runs.back().start + runs.back().length == original.size())
            target = runs.back();

        std::string text = original;
        bool lenError = false;
        const bool found = which == 0   ? IncrementNumberFrom(text, step, lenError, 1, 0)
                           : which == 1 ? IncrementSecondNumber(text, step, lenError, 0)
                           : which == 2 ? IncrementLastNumber(text, step, lenError, 0)
                           : which == 3 ? IncrementStartNumber(text, step, lenError, 0)
                                        : IncrementEndNumber(text, step, lenError, 0);
        ASSERT_EQ(found, target.has_value());
        ASSERT_FALSE(lenError);
        if (!target) {
            ASSERT_EQ(text, original);
            continue;
        }
        const std::string head = original.substr(0, target->start);
        const std::string tail = original.substr(target->start + target->length);
        ASSERT_EQ(text.substr(0, head.size()), head);
        ASSERT_GE(text.size(), head.size() + tail.size());
        ASSERT_EQ(text.substr(text.size() - tail.size()), tail);
        if (text == original)
            continue;
        const std::string number =
            text.substr(head.size(), text.size() - head.size() - tail.size());
        ASSERT_FALSE(number.empty());
        ASSERT_EQ(number.find_first_not_of("0123456789", number[0] == '-' ? 1 : 0),
                  std::string::npos);
        const long long oldValue = std::stoll(original.substr(target->start, target->length));
        ASSERT_EQ(std::stoll(number), oldValue + step);
        if (original[target->start] == '0') {
            ASSERT_GE(number.size(), target->length);
        }
    }
}

TEST(NumberPatternProperties, AgreeWithCountedRuns) {
    Random random(5);
    for (int round = 0; round < kRounds; ++round) {
        const std::string text = random.Text("01 a-\xB2", 20);
        const std::size_t runs = Runs(text).size();
        ASSERT_EQ(HasNumber(text), runs >= 1) << text;
        ASSERT_EQ(HasSecondNumber(text), runs >= 2) << text;
    }
}

} // namespace
} // namespace qx::text
