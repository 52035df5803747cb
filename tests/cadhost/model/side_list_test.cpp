// The list an entity keeps outside its slot: it behaves as the vector it replaces, costs one
// pointer while empty, and copies deeply, so that an undo snapshot of an entity never shares
// points or pieces with the entity it was taken from.
#include "cadhost/model/entity.h"
#include "cadhost/model/side_list.h"

#include <gtest/gtest.h>

#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace cadhost {
namespace {

TEST(SideListTest, EmptyListIsOnePointerAndHasNoItems) {
    static_assert(sizeof(SideList<point>) == sizeof(void*));
    const SideList<point> none;
    EXPECT_TRUE(none.empty());
    EXPECT_EQ(none.size(), 0u);
    EXPECT_EQ(none.begin(), none.end());
    EXPECT_TRUE(std::span<const point>(none).empty());
    EXPECT_THROW((void)none.at(0), std::out_of_range);
}

TEST(SideListTest, KeepsItemsInOrderAsAVectorWould) {
    SideList<int> list;
    list.push_back(1);
    list.emplace_back(2);
    const int three = 3;
    list.push_back(three);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list.front(), 1);
    EXPECT_EQ(list.back(), 3);
    EXPECT_EQ(list[1], 2);
    EXPECT_EQ(list.at(2), 3);
    EXPECT_THROW((void)list.at(3), std::out_of_range);
    EXPECT_EQ(list.ToVector(), (std::vector<int>{1, 2, 3}));
    list[1] = 7;
    EXPECT_EQ(list.ToVector(), (std::vector<int>{1, 7, 3}));
}

TEST(SideListTest, TakesAndAssignsWholeLists) {
    SideList<int> list = std::vector<int>{4, 5};
    EXPECT_EQ(list.size(), 2u);
    list = {6, 7, 8};
    EXPECT_EQ(list.ToVector(), (std::vector<int>{6, 7, 8}));
    const std::vector<int> source{9, 10};
    list.assign(source.begin(), source.end());
    EXPECT_EQ(list.ToVector(), source);
    list.assign(source.end(), source.end());
    EXPECT_TRUE(list.empty());
    list = std::vector<int>{};
    EXPECT_TRUE(list.empty());
    list.reserve(0);
    EXPECT_TRUE(list.empty());
}

TEST(SideListTest, CopiesDeeplyAndMovesTheBlock) {
    SideList<std::string> a{"door", "gate"};
    SideList<std::string> b = a;
    b[0] = "wall";
    EXPECT_EQ(a[0], "door");
    EXPECT_FALSE(a == b);
    b = a;
    EXPECT_TRUE(a == b);
    const std::string* items = a.data();
    SideList<std::string> c = std::move(a);
    EXPECT_EQ(c.data(), items);
    EXPECT_EQ(c.size(), 2u);
    c = SideList<std::string>{};
    EXPECT_TRUE(c.empty());
    c.clear();
    EXPECT_TRUE(c.empty());
}

TEST(SideListTest, EmptyListsAreEqualHoweverTheyCameToBeEmpty) {
    SideList<int> never;
    SideList<int> emptied{1};
    emptied.clear();
    EXPECT_TRUE(never == emptied);
    SideList<int> one{1};
    EXPECT_FALSE(never == one);
}

TEST(SideListTest, EntityCopiesOwnTheirPoints) {
    const Entity text = MakeText("door", {0, 0, 0});
    EXPECT_EQ(text.points.data(), nullptr);
    EXPECT_EQ(text.pieces.data(), nullptr);
    const Entity line = MakeLine({0, 0, 0}, {1, 2, 0});
    const Entity copy = line;
    ASSERT_EQ(copy.points.size(), 2u);
    EXPECT_NE(copy.points.data(), line.points.data());
    EXPECT_EQ(copy.points[1].y, 2);
    EXPECT_TRUE(copy == line);
}

} // namespace
} // namespace cadhost
