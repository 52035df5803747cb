// What the macro drew outside the drawing and has not erased stays on screen, once.
#include "cadhost/window/overlay_tracker.h"

#include "cadhost/model/drawing.h"

#include <gtest/gtest.h>

namespace {

using cadhost::DisplayItem;
using cadhost::DisplayList;
using cadhost::window::OverlayTracker;

DisplayItem Box(double x, std::int32_t a, std::int32_t color = 15) {
    DisplayItem item;
    item.type = qx::host::kEntPolygon;
    item.points = {{x, 0, 0}, {x, 1, 0}, {x + 1, 1, 0}, {x + 1, 0, 0}};
    item.a = a;
    item.color = color;
    return item;
}

TEST(OverlayTracker, FollowsDrawsAndErasesOfTheSameShape) {
    DisplayList list;
    OverlayTracker t;
    list.Append(Box(0, 1));
    t.Follow(list);
    ASSERT_EQ(t.Shown().size(), 1u);

    // Erasing another shape leaves the box; erasing it, even without a colour, takes it off.
    list.Append(Box(5, 0));
    t.Follow(list);
    EXPECT_EQ(t.Shown().size(), 1u);
    list.Append(Box(0, 0, 0));
    list.Append(Box(2, 1));
    t.Follow(list);
    ASSERT_EQ(t.Shown().size(), 1u);
    EXPECT_EQ(t.Shown()[0].points[0].x, 2);

    // Drawing the same box twice shows it once.
    list.Append(Box(2, 1, 4));
    t.Follow(list);
    ASSERT_EQ(t.Shown().size(), 1u);
    EXPECT_EQ(t.Shown()[0].color, 4);
}

TEST(OverlayTracker, IgnoresEntitiesOfTheDrawing) {
    DisplayList list;
    DisplayItem redraw = Box(0, 1);
    redraw.addr = {cadhost::kEntityPage, 3};
    list.Append(redraw);
    OverlayTracker t;
    t.Follow(list);
    EXPECT_TRUE(t.Shown().empty());
}

TEST(OverlayTracker, StartsAfreshOnAnotherDrawingsList) {
    DisplayList first;
    first.Append(Box(0, 1));
    first.Append(Box(1, 1));
    OverlayTracker t;
    t.Follow(first);
    DisplayList second;
    second.Append(Box(7, 1));
    t.Follow(second);
    ASSERT_EQ(t.Shown().size(), 1u);
    EXPECT_EQ(t.Shown()[0].points[0].x, 7);
}

} // namespace
