// Entity extents.
#include "cadhost/model/entity_record.h"
#include "cadhost/model/extent.h"

#include <gtest/gtest.h>

#include <numbers>

namespace cadhost {
namespace {

void ExpectCorners(const Extent& e, point lower, point upper) {
    EXPECT_NEAR(e.lower.x, lower.x, 1e-9);
    EXPECT_NEAR(e.lower.y, lower.y, 1e-9);
    EXPECT_NEAR(e.upper.x, upper.x, 1e-9);
    EXPECT_NEAR(e.upper.y, upper.y, 1e-9);
}

TEST(Extent, TextGrowsWithItsLengthAndSize) {
    ExpectCorners(TextExtent({"Door", {10, 20, 0}, 2, 0}), {10, 20, 0}, {10 + 4 * 0.8 * 2, 22, 0});
    ExpectCorners(TextExtent({"", {1, 1, 0}, 1, 0}), {1, 1, 0}, {1, 2, 0});
}

TEST(Extent, TurnedTextTurnsItsBox) {
    // A quarter turn: the text runs upwards and its height lies to the left.
    ExpectCorners(TextExtent({"ab", {0, 0, 0}, 1, std::numbers::pi / 2}), {-1, 0, 0}, {0, 1.6, 0});
}

TEST(Extent, PointsAndPointLikeEntities) {
    const std::vector<point> pts{{3, -1, 0}, {-2, 4, 0}, {1, 1, 0}};
    ExpectCorners(PointsExtent(pts), {-2, -1, 0}, {3, 4, 0});
    const std::vector<point> one{{5, 6, 0}};
    const Extent e = PointsExtent(one);
    EXPECT_TRUE(SamePoint(e.lower, e.upper));
}

TEST(Extent, SmartTextCoversAllItsPieces) {
    const Entity e = MakeSmartText(qx::host::kEntMultiLineText,
                                   {{"abc", {0, 10, 0}, 1, 0}, {"abcdefgh", {0, 8, 0}, 1, 0}});
    ExpectCorners(EntityExtent(e), {0, 8, 0}, {8 * 0.8, 11, 0});
}

TEST(Extent, RecordOfAPolygonUsesItsPoints) {
    EntityRec rec;
    rec.enttype = qx::host::kEntPolygon;
    rec.npts = 2;
    rec.pts[0] = {1, 2, 0};
    rec.pts[1] = {4, -3, 0};
    rec.pts[2] = {100, 100, 0}; // beyond npts: not part of the polygon
    ExpectCorners(RecordExtent(rec), {1, -3, 0}, {4, 2, 0});
    rec.npts = -5;
    ExpectCorners(RecordExtent(rec), {0, 0, 0}, {0, 0, 0});
}

} // namespace
} // namespace cadhost
