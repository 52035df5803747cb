// The hand-written answers of the two number patterns against PCRE2 itself, over texts made to
// hit every arrangement of digit runs and gaps, and over random bytes.
#include "text/number_patterns.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <string_view>

namespace qx::text {
namespace {

// A pattern compiled without UTF or UCP, so that \d is 0-9 and every byte is a character.
class Reference {
public:
    explicit Reference(std::string_view source) {
        int error = 0;
        PCRE2_SIZE offset = 0;
        code_.reset(pcre2_compile(reinterpret_cast<PCRE2_SPTR>(source.data()), source.size(), 0,
                                  &error, &offset, nullptr));
        data_.reset(pcre2_match_data_create(2, nullptr));
    }

    bool ok() const { return code_ && data_; }

    bool Matches(std::string_view text) const {
        const int rc = pcre2_match(code_.get(), reinterpret_cast<PCRE2_SPTR>(text.data()),
                                   text.size(), 0, 0, data_.get(), nullptr);
        EXPECT_TRUE(rc >= 0 || rc == PCRE2_ERROR_NOMATCH) << "PCRE2 failed with " << rc;
        return rc >= 0;
    }

private:
    struct CodeFree {
        void operator()(pcre2_code* c) const { pcre2_code_free(c); }
    };
    struct DataFree {
        void operator()(pcre2_match_data* d) const { pcre2_match_data_free(d); }
    };
    std::unique_ptr<pcre2_code, CodeFree> code_;
    std::unique_ptr<pcre2_match_data, DataFree> data_;
};

class NumberPatternsAgainstPcre2 : public testing::Test {
protected:
    void ExpectSameAnswers(const std::string& text) {
        ASSERT_TRUE(number_.ok() && second_.ok());
        EXPECT_EQ(HasNumber(text), number_.Matches(text))
            << "text: " << testing::PrintToString(text);
        EXPECT_EQ(HasSecondNumber(text), second_.Matches(text))
            << "text: " << testing::PrintToString(text);
    }

    Reference number_{R"(\d+)"};
    Reference second_{R"([\D]*[\d]+[\D]+([\d]+))"};
};

TEST_F(NumberPatternsAgainstPcre2, EveryTextOfUpToEightSymbols) {
    // Every text over a digit, a letter, a space and a byte above 127 up to eight long covers
    // every order of runs and gaps the patterns can tell apart.
    const char alphabet[] = {'7', 'a', ' ', '\xB2'};
    for (int length = 0; length <= 8; ++length) {
        int count = 1;
        for (int i = 0; i < length; ++i)
            count *= 4;
        for (int n = 0; n < count; ++n) {
            std::string text;
            for (int i = 0, rest = n; i < length; ++i, rest /= 4)
                text += alphabet[rest % 4];
            ExpectSameAnswers(text);
            if (HasFailure())
                return;
        }
    }
}

TEST_F(NumberPatternsAgainstPcre2, RandomBytes) {
    std::mt19937 random(20261210);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(0, 300);
    for (int i = 0; i < 20000 && !HasFailure(); ++i) {
        std::string text(static_cast<std::size_t>(length(random)), '\0');
        for (char& c : text)
            // Digits about two times in five, so that runs and gaps of every length turn up.
            c = static_cast<char>(byte(random) < 100 ? '0' + byte(random) % 10 : byte(random));
        ExpectSameAnswers(text);
    }
}

TEST_F(NumberPatternsAgainstPcre2, LongRuns) {
    const std::string digits(5000, '4');
    ExpectSameAnswers(digits);
    ExpectSameAnswers(digits + "-");
    ExpectSameAnswers(digits + "-" + digits);
    ExpectSameAnswers(std::string(5000, 'z') + "1");
}

} // namespace
} // namespace qx::text
