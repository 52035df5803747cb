// The one table of the host's function keys: positions, names and codes, and the words a
// script may use for a key.
#include "cadhost/driver/keys.h"

#include "host/host_api.h"

#include <gtest/gtest.h>

namespace {

using namespace cadhost;

TEST(KeyPositions, MapToTheHostKeyCodesAndBack) {
    struct Row {
        int position;
        std::int32_t code;
        const char* name;
    };
    const Row rows[] = {{1, qx::host::KeyF(1), "F1"},
                        {10, qx::host::KeyF(10), "F10"},
                        {11, qx::host::KeyS(1), "S1"},
                        {19, qx::host::KeyS(9), "S9"},
                        {20, qx::host::KeyS(0), "S0"}};
    for (const Row& r : rows) {
        EXPECT_EQ(PositionKey(r.position), r.code) << r.name;
        EXPECT_EQ(KeyPosition(r.code), r.position) << r.name;
        EXPECT_EQ(PositionName(r.position), r.name);
        EXPECT_EQ(NamedPosition(r.name), r.position);
        EXPECT_EQ(KeyName(r.code), r.name);
        EXPECT_EQ(ParseKey(r.name), r.code);
    }
    EXPECT_FALSE(KeyPosition(qx::host::kKeyEscape).has_value());
    EXPECT_FALSE(KeyPosition(qx::host::KeyF(1) - 1).has_value());
    EXPECT_FALSE(KeyPosition(qx::host::KeyS(0) + 1).has_value());
}

TEST(KeyPositions, EveryPositionHasItsOwnNameAndCode) {
    for (int a = 1; a <= kKeyPositions; ++a) {
        EXPECT_EQ(KeyPosition(PositionKey(a)), a);
        for (int b = a + 1; b <= kKeyPositions; ++b) {
            EXPECT_NE(PositionName(a), PositionName(b));
            EXPECT_NE(PositionKey(a), PositionKey(b));
        }
    }
}

TEST(KeyWords, AKeyIsANameOrAWholeNumber) {
    // Keys that are no function key keep their code in transcripts.
    EXPECT_EQ(KeyName(qx::host::kKeyEscape), std::to_string(qx::host::kKeyEscape));
    EXPECT_EQ(ParseKey("27"), 27);
    EXPECT_EQ(ParseKey("-1"), -1);
    for (const char* word : {"", "F0", "F11", "S10", "F1x", "f1", "s0", "F", "12a", " 1"})
        EXPECT_FALSE(ParseKey(word).has_value()) << '"' << word << '"';
    EXPECT_FALSE(NamedPosition("F01").has_value());
}

} // namespace
