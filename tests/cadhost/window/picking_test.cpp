// What the host's selection tools pick on the sample drawing, and how the mask travels with a
// selection.
#include "cadhost/model/sample_drawing.h"
#include "cadhost/window/picking.h"
#include "cadhost/window/selection_tools.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace cadhost;
using namespace cadhost::window;

class Picking : public testing::Test {
protected:
    std::vector<std::string> Names(const std::vector<lgl_addr>& addrs) const {
        std::vector<std::string> names;
        for (lgl_addr a : addrs)
            names.push_back(d.FindEntity(a)->name);
        return names;
    }
    std::string NameAt(double x, double y, double tolerance = 0.1) const {
        const lgl_addr a = EntityAt(d, {x, y, 0}, tolerance);
        return IsNil(a) ? "" : d.FindEntity(a)->name;
    }
    Drawing d = SampleDrawing();
};

TEST_F(Picking, AClickPicksTheEntityUnderItOrNearIt) {
    struct Row {
        double x, y;
        const char* expected;
    };
    const Row rows[] = {
        {3, 30.5, "door101"},   // inside the text's box
        {20, 18.05, "wall"},    // on the line, within the tolerance
        {3, 11.3, "paintnote"}, // on the second line of a paragraph text
        {30.5, 27.5, ""},       // a text on the layer that is off
        {45, 35, ""},           // empty space
        {3, 29.95, "door101"},  // just below the text, within the tolerance
    };
    for (const Row& r : rows)
        EXPECT_EQ(NameAt(r.x, r.y), r.expected) << r.x << ", " << r.y;
}

TEST_F(Picking, AnAreaPicksWhatLiesWhollyInside) {
    EXPECT_EQ(Names(EntitiesInside(d, {{0, 22.5, 0}, {20, 32.5, 0}})),
              (std::vector<std::string>{"door101", "door102", "door2"}));
    // Cutting through a text leaves it out.
    EXPECT_EQ(Names(EntitiesInside(d, {{0, 22.5, 0}, {4, 32.5, 0}})), std::vector<std::string>{});
}

TEST_F(Picking, LayersAndAllKeepToWhatIsVisible) {
    const Layer* doors = d.FindLayerByName("Doors");
    const Layer* hidden = d.FindLayerByName("Hidden");
    EXPECT_EQ(EntitiesOnLayer(d, doors->addr).size(), 5u);
    EXPECT_TRUE(EntitiesOnLayer(d, hidden->addr).empty());
    const auto visible = Names(VisibleEntities(d));
    EXPECT_EQ(std::count(visible.begin(), visible.end(), "door100"), 0);
    EXPECT_EQ(visible.size(), d.Entities().size() - 1);
    // The locked layer is visible and can be picked; the macro leaves it alone.
    EXPECT_EQ(std::count(visible.begin(), visible.end(), "door99"), 1);
}

TEST_F(Picking, TheLayerToolPicksTheClickedEntitysLayer) {
    SelectionTools tools;
    tools.Use(SelectionTool::Layer);
    const auto picked = tools.PickAt(d, {51, 3.5, 0}, 0.1);
    ASSERT_TRUE(picked);
    EXPECT_EQ(Names(picked->entities), (std::vector<std::string>{"sheetA101", "sheet9"}));
    EXPECT_FALSE(tools.PickAt(d, {45, 35, 0}, 0.1));
}

TEST_F(Picking, AMaskThatLetsEverythingThroughIsNoMask) {
    SelectionTools tools;
    tools.SetMask({false, true, true});
    ASSERT_TRUE(tools.Mask());
    const SelectionAnswer all = tools.PickAll(d);
    ASSERT_TRUE(all.mask);
    EXPECT_FALSE(all.mask->text);
    tools.SetMask({true, true, true});
    EXPECT_FALSE(tools.Mask());
    EXPECT_FALSE(tools.PickAll(d).mask);
}

} // namespace
