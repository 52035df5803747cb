// Which highlight boxes are left on screen, found by replaying what the macro drew and erased.
#include "cadhost/scenario/screen_state.h"

#include <gtest/gtest.h>

namespace {

using cadhost::DisplayItem;
using cadhost::DisplayList;
using cadhost::scenario::DescribeBox;
using cadhost::scenario::ReplayBoxes;

DisplayItem Box(double x, double y, bool draw, std::int32_t colour = 15) {
    DisplayItem item;
    item.type = qx::host::kEntPolygon;
    item.points = {{x, y, 0}, {x, y + 1, 0}, {x + 2, y + 1, 0}, {x + 2, y, 0}};
    item.a = draw ? 1 : 0;
    item.color = draw ? colour : 0; // an erase does not set the colour
    item.weight = 1;
    return item;
}

DisplayItem TextDraw(bool draw) {
    DisplayItem item;
    item.type = qx::host::kEntText;
    item.a = draw ? 1 : 0;
    return item;
}

TEST(ScreenBoxes, ReplayFindsTheBoxesLeftOnShow) {
    const struct {
        const char* name;
        std::vector<DisplayItem> items;
        std::size_t onShow;
        int stray;
    } cases[] = {
        {"nothing drawn", {}, 0, 0},
        {"drawn", {Box(0, 0, true)}, 1, 0},
        {"drawn and erased", {Box(0, 0, true), Box(0, 0, false)}, 0, 0},
        {"second drawn without erasing the first", {Box(0, 0, true), Box(5, 5, true)}, 2, 0},
        {"erased, then the next drawn", {Box(0, 0, true), Box(0, 0, false), Box(5, 5, true)}, 1, 0},
        {"erased twice", {Box(0, 0, true), Box(0, 0, false), Box(0, 0, false)}, 0, 1},
        {"erase of another place", {Box(0, 0, true), Box(5, 5, false)}, 1, 1},
        {"texts are no boxes", {TextDraw(true), TextDraw(false), TextDraw(true)}, 0, 0},
    };
    for (const auto& c : cases) {
        DisplayList display;
        for (const auto& item : c.items)
            display.Append(item);
        const auto screen = ReplayBoxes(display);
        EXPECT_EQ(screen.onShow.size(), c.onShow) << c.name;
        EXPECT_EQ(screen.strayErases, c.stray) << c.name;
    }
}

TEST(ScreenBoxes, TheBoxOnShowKeepsTheColourItWasDrawnIn) {
    DisplayList display;
    display.Append(Box(0, 0, true, 15));
    display.Append(Box(0, 0, false));
    display.Append(Box(1.5, 2, true, 3));
    const auto screen = ReplayBoxes(display);
    ASSERT_EQ(screen.onShow.size(), 1u);
    EXPECT_EQ(DescribeBox(screen.onShow.front()), "(1.5, 2)-(3.5, 3) colour 3 weight 1");
}

} // namespace
