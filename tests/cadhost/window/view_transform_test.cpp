// The mapping between the drawing and the view's pixels, and how zooming, panning and fitting
// change it.
#include "cadhost/window/view_transform.h"

#include <gtest/gtest.h>

namespace {

using namespace cadhost::window;

ViewRec View(double scale, double x, double y) {
    ViewRec v;
    v.scale = scale;
    v.x = x;
    v.y = y;
    v.widthPx = 800;
    v.heightPx = 600;
    return v;
}

TEST(ViewTransform, PixelsAndDrawingPointsAreInverse) {
    const ViewRec v = View(0.05, 10, 40);
    EXPECT_EQ(ToPixels(v, {10, 40, 0}), QPointF(0, 0));
    EXPECT_EQ(ToPixels(v, {11, 39, 0}), QPointF(20, 20)); // drawing y up, pixel y down
    const auto p = ToDrawing(v, QPointF(123, 45));
    EXPECT_NEAR(ToPixels(v, p).x(), 123, 1e-9);
    EXPECT_NEAR(ToPixels(v, p).y(), 45, 1e-9);
}

TEST(ViewTransform, ZoomKeepsThePointUnderTheCursor) {
    const ViewRec v = View(0.05, 0, 40);
    const QPointF cursor(300, 200);
    const auto before = ToDrawing(v, cursor);
    for (double factor : {1.25, 0.8, 4.0}) {
        const ViewRec z = ZoomedAt(v, cursor, factor);
        EXPECT_DOUBLE_EQ(z.scale, v.scale / factor);
        const auto after = ToDrawing(z, cursor);
        EXPECT_NEAR(after.x, before.x, 1e-9) << factor;
        EXPECT_NEAR(after.y, before.y, 1e-9) << factor;
    }
    EXPECT_EQ(ZoomedAt(v, cursor, 1e30).scale, kMinPixelSize);
    EXPECT_EQ(ZoomedAt(v, cursor, 0).scale, v.scale); // no factor, no zoom
}

TEST(ViewTransform, PanMovesTheDrawingWithTheMouse) {
    const ViewRec v = View(0.5, 0, 40);
    const ViewRec p = Panned(v, QPointF(10, -4));
    // What was under pixel (0, 0) is now under (10, -4).
    const auto moved = ToPixels(p, ToDrawing(v, QPointF(0, 0)));
    EXPECT_NEAR(moved.x(), 10, 1e-9);
    EXPECT_NEAR(moved.y(), -4, 1e-9);
}

TEST(ViewTransform, FitShowsTheExtentWholeAndCentred) {
    const cadhost::Extent wide{{0, 0, 0}, {100, 10, 0}};
    const ViewRec f = Fitted(View(1, 0, 0), wide, QSize(800, 600));
    const QPointF lower = ToPixels(f, wide.lower);
    const QPointF upper = ToPixels(f, wide.upper);
    EXPECT_GT(lower.x(), 0);
    EXPECT_LT(upper.x(), 800);
    EXPECT_NEAR(lower.x() + upper.x(), 800, 1e-6); // centred across
    EXPECT_NEAR(lower.y() + upper.y(), 600, 1e-6); // and down
    EXPECT_EQ(f.widthPx, 800);
    EXPECT_EQ(f.heightPx, 600);

    // A single point still gets a usable scale.
    const cadhost::Extent dot{{5, 5, 0}, {5, 5, 0}};
    const ViewRec d = Fitted(View(1, 0, 0), dot, QSize(800, 600));
    EXPECT_GT(d.scale, 0);
    EXPECT_NEAR(ToPixels(d, dot.lower).x(), 400, 1e-6);
}

} // namespace
