// The flat index of entity names: every name added is found at its slot, through every growth
// of the table, and a name is never taken twice.
#include "cadhost/model/name_index.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace cadhost {
namespace {

std::string Hex(std::uint32_t n) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%X", n);
    return buf;
}

class NameIndexTest : public ::testing::Test {
protected:
    auto NameOf() const {
        return [this](std::uint32_t slot) { return std::string_view(names[slot]); };
    }
    bool Add(std::string name) {
        const auto slot = static_cast<std::uint32_t>(names.size());
        names.push_back(std::move(name));
        return index.Add(names.back(), slot, NameOf());
    }
    std::optional<std::uint32_t> Find(std::string_view name) const {
        return index.Find(name, NameOf());
    }

    std::vector<std::string> names; // by slot, as the drawing keeps them in its entities
    NameIndex index;
};

TEST_F(NameIndexTest, EmptyIndexFindsNothing) {
    EXPECT_TRUE(index.empty());
    EXPECT_FALSE(Find("1F"));
    EXPECT_FALSE(Find(""));
}

TEST_F(NameIndexTest, EveryNameIsFoundAtItsSlotAcrossGrowth) {
    // DXF handles: short hexadecimal numbers, many sharing their first and last digits.
    constexpr std::uint32_t kCount = 20000;
    for (std::uint32_t i = 0; i < kCount; ++i)
        ASSERT_TRUE(Add(Hex(i + 0x30)));
    EXPECT_FALSE(index.empty());
    for (std::uint32_t i = 0; i < kCount; ++i)
        ASSERT_EQ(Find(Hex(i + 0x30)), i) << i;
    EXPECT_FALSE(Find("2F"));
    EXPECT_FALSE(Find(Hex(kCount + 0x30)));
    EXPECT_FALSE(Find("30 ")); // names are compared whole
}

TEST_F(NameIndexTest, ATakenNameIsRefusedAndKeepsItsFirstSlot) {
    ASSERT_TRUE(Add("door"));
    ASSERT_TRUE(Add("Door")); // letter case counts
    EXPECT_FALSE(Add("door"));
    EXPECT_EQ(Find("door"), 0u);
    EXPECT_EQ(Find("Door"), 1u);
}

// Handles in increasing order are kept as numbers; anything else, a handle out of order or one
// written another way included, goes to the table. A name is one name whichever part holds it.
TEST_F(NameIndexTest, HandlesInOrderAndEveryOtherNameAreFoundAndNeverTakenTwice) {
    const std::vector<std::string> added = {
        "1F",
        "20",
        "2A",
        "FFFFFFFFFFFFFFFF", // in order
        "21",               // a handle out of order
        "0",
        "01F",
        "1f",
        "door",
        "1F ",               // not handles as DXF writes them
        "10000000000000000", // longer than any handle
    };
    for (const std::string& name : added)
        ASSERT_TRUE(Add(name)) << name;
    for (std::size_t i = 0; i < added.size(); ++i)
        EXPECT_EQ(Find(added[i]), i) << added[i];
    for (const std::string& name : added)
        EXPECT_FALSE(Add(name)) << name << " taken twice";
    EXPECT_FALSE(Find("1E"));
    EXPECT_FALSE(Find("22"));
    EXPECT_FALSE(Find("FFFFFFFFFFFFFFFE"));
    // A handle after the last in order that an earlier name out of order already took.
    ASSERT_TRUE(Add("30"));
    EXPECT_FALSE(Add("21"));
}

} // namespace
} // namespace cadhost
