#include "drawing/view_position.h"

#include "cadhost/model/extent.h"
#include "host/host_table.h"
#include "tests/drawing/drawing_fixture.h"

namespace qx::test {
namespace {

class RepositionViewTest : public DrawingTest {
protected:
    void SetUp() override {
        DrawingTest::SetUp();
        const host::lgl_addr layer = D().AddLayer("Plans");
        entity_ = D().AddEntity(cadhost::MakeText("Door", {100, 200, 0}, 2), layer);
        host::EntityRec ent;
        ASSERT_TRUE(host::Host().ent_get(&ent, entity_, true));
        S().curEnt = ent;
        extent_ = cadhost::EntityExtent(*D().FindEntity(entity_));

        host::ViewRec view = D().View().Current();
        view.value620 = 7;
        view.value624 = 8;
        view.value628 = 9;
        D().View().Reset(view);
    }

    host::lgl_addr entity_;
    cadhost::Extent extent_;
};

struct ClickRow {
    const char* name;
    double dx; // the click's offset from the current view's position point
    double dy;
};

class ClickOffsets : public RepositionViewTest, public ::testing::WithParamInterface<ClickRow> {};

TEST_P(ClickOffsets, PutTheUpperLeftCornerWhereTheUserClicked) {
    const host::ViewRec before = D().View().Current();
    const double x0 = before.x;
    const double y0 = before.y;
    const host::point clicked{x0 + GetParam().dx, y0 + GetParam().dy, 0};

    RepositionView(clicked);

    ASSERT_EQ(D().View().Changes().size(), 1u);
    EXPECT_TRUE(D().View().Changes()[0].redraw);
    const host::ViewRec after = D().View().Current();
    // The corner sits at the same offset from the new position point as the click from the old.
    const double x = after.x;
    const double y = after.y;
    EXPECT_DOUBLE_EQ(extent_.lower.x - x, GetParam().dx);
    EXPECT_DOUBLE_EQ(extent_.upper.y - y, GetParam().dy);
    const double scale = after.scale;
    const double scaleBefore = before.scale;
    EXPECT_DOUBLE_EQ(scale, scaleBefore);
}

INSTANTIATE_TEST_SUITE_P(Rows, ClickOffsets,
                         ::testing::Values(ClickRow{"AtThePositionPoint", 0, 0},
                                           ClickRow{"InsideTheView", 12.5, -7.25},
                                           ClickRow{"Anywhere", -3, 4}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RepositionViewTest, KeepsTheCurrentViewsThreeValues) {
    RepositionView(host::point{0, 0, 0});

    const host::ViewRec after = D().View().Current();
    const std::int32_t v620 = after.value620;
    const std::int32_t v624 = after.value624;
    const std::int32_t v628 = after.value628;
    EXPECT_EQ(v620, 7);
    EXPECT_EQ(v624, 8);
    EXPECT_EQ(v628, 9);
}

} // namespace
} // namespace qx::test
