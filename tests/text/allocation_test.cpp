// The engine runs over every text of a drawing: texts it does not change, and entity texts it
// edits in place, must cost no allocation. This binary counts every allocation it makes.
#include "text/case_conversion.h"
#include "text/number_increment.h"
#include "text/number_patterns.h"
#include "text/replace_matches.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

namespace {
std::atomic<long> gAllocations{0};
} // namespace

void* operator new(std::size_t size) {
    ++gAllocations;
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace qx::text {
namespace {

long AllocationsDuring(auto&& work) {
    const long before = gAllocations.load();
    work();
    return gAllocations.load() - before;
}

TEST(Allocation, NoneForTextsThatDoNotMatch) {
    std::string text(200, 'x');
    text += " doorway backdoor";
    bool lenError = false;
    EXPECT_EQ(AllocationsDuring([&] {
                  EXPECT_EQ(ReplaceMatches(text, "door", "Gate",
                                           MatchOptions{.wholeWords = WholeWords::Yes}, lenError,
                                           TestOnly::No, 255),
                            0);
              }),
              0);
}

TEST(Allocation, NoneForEntityTextsEditedInPlace) {
    const std::string long_text = std::string(100, 'x') + " door 9 DOOR";
    host::str255 text(long_text);
    bool lenError = false;
    const std::string twoNumbers = long_text + " 1";
    // Warm up the compiled patterns and the per-thread match state, which are made once.
    HasNumber("1");
    HasSecondNumber("1 2");
    EXPECT_EQ(AllocationsDuring([&] {
                  EXPECT_EQ(ReplaceMatches(text, "door", "Gate",
                                           MatchOptions{.wholeWords = WholeWords::Yes}, lenError,
                                           TestOnly::No),
                            2);
                  EXPECT_TRUE(IncrementNumberFrom(text, 1, lenError, 1));
                  ConvertCase(std::span<char>(text.text, text.len), CaseConversion::Upper,
                              CaseMapping::Ascii);
                  EXPECT_TRUE(HasNumber(text.view()));
                  EXPECT_TRUE(HasSecondNumber(twoNumbers));
              }),
              0);
    EXPECT_EQ(text.view(), std::string(100, 'X') + " GATE 10 GATE");
}

} // namespace
} // namespace qx::text
