// Fitting controls along one axis: what grows, what is pushed and how far, and when the
// container must grow.
#include "dialogs/axis_fit.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace qx::fit {

void PrintTo(const Placed& placed, std::ostream* out) {
    *out << "{" << placed.start << ", " << placed.length << "}";
}

namespace {

constexpr int kSpace = 4;

// A control in row `row` (rows are 30 pixels apart and 20 high).
Span Text(int start, int length, int least, int row = 0) {
    return {start, length, row * 30, 20, Anchor::Near, Paints::TextOnly, least, kSpace};
}
Span Framed(int start, int length, int least, Anchor anchor = Anchor::Near, int row = 0) {
    return {start, length, row * 30, 20, anchor, Paints::WholeRect, least, kSpace};
}

struct Case {
    std::string name;
    Line line;
    std::vector<Span> spans;
    int length;
    std::vector<Placed> placed;
};

const std::vector<Case> kCases = {
    {"TextsThatFitKeepTheDesign",
     {140, 0, 0},
     {Text(10, 50, 40), Framed(70, 60, 50)},
     140,
     {{10, 50}, {70, 60}}},
    {"AGrownTextPushesItsRowOnlyAsFarAsNeeded",
     {140, 0, 0},
     {Text(10, 50, 80), Framed(70, 60, 0), Framed(70, 60, 0, Anchor::Near, 1)},
     // 10 + 80 + a space, and the designed margin of 10 behind it.
     164,
     {{10, 80}, {94, 60}, {70, 60}}},
    {"ATextGrowingIntoItsOwnRoomMovesNothing",
     {140, 0, 0},
     {Text(10, 50, 56), Framed(70, 60, 0)},
     140,
     {{10, 56}, {70, 60}}},
    {"ATextKeepsItsSpacingEvenWhereTheDesignOverlapped",
     {140, 0, 0},
     {Text(10, 62, 58), Framed(70, 60, 0)},
     142,
     {{10, 62}, {72, 60}}},
    {"AGrownFramedControlKeepsItsDesignedDistance",
     {140, 0, 0},
     {Framed(10, 50, 60), Framed(70, 60, 0)},
     150,
     {{10, 60}, {80, 60}}},
    {"AChainPushesOnOnlyWhereNeeded",
     {140, 0, 0},
     {Text(10, 40, 70), Text(60, 40, 30), Framed(110, 20, 0)},
     // The second text moves to 84 and ends its text at 114; the last control keeps a space.
     148,
     {{10, 70}, {84, 40}, {118, 20}}},
    {"FarEdgeControlsGrowTowardsTheNearEdge",
     {240, 0, 0},
     {Framed(10, 60, 0), Framed(100, 60, 80, Anchor::Far), Framed(170, 60, 0, Anchor::Far)},
     240,
     {{10, 60}, {80, 80}, {170, 60}}},
    {"TheElasticSpaceGivesWayBeforeTheContainerGrows",
     {240, 0, 0},
     {Framed(10, 60, 0), Framed(100, 60, 120, Anchor::Far), Framed(170, 60, 0, Anchor::Far)},
     // 10 + 60 + the least spacing of 6 + 120 + 10 + 60 + the far margin of 10.
     276,
     {{10, 60}, {76, 120}, {206, 60}}},
    {"AStretchingControlEndsBeforeAGrownFarControl",
     {422, 0, 0},
     {Framed(8, 316, 0, Anchor::Both), Framed(330, 84, 100, Anchor::Far)},
     438,
     {{8, 316}, {330, 100}}},
    {"ControlsStartAfterTheContainersLeadingRoom",
     {70, 20, 0},
     {Text(18, 15, 15), Framed(40, 20, 0, Anchor::Near, 0)},
     70,
     {{20, 15}, {40, 20}}},
    {"ControlsLaidOverOneAnotherDoNotPush",
     {470, 0, 0},
     {Text(8, 450, 460), Text(39, 380, 380)},
     480,
     {{8, 460}, {39, 380}}},
    {"AContainerIsAtLeastAsLongAsItsOwnLeast",
     {200, 0, 300},
     {Framed(10, 180, 0, Anchor::Both)},
     300,
     {{10, 280}}},
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

class FitAxisTest : public testing::TestWithParam<Case> {};

TEST_P(FitAxisTest, PlacesEachControl) {
    const Case& c = GetParam();
    const Fitted fitted = FitAxis(c.line, c.spans);
    EXPECT_EQ(fitted.length, c.length);
    EXPECT_EQ(fitted.spans, c.placed);
}

INSTANTIATE_TEST_SUITE_P(Cases, FitAxisTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

TEST(FitAxis, AnEmptyContainerKeepsItsLength) {
    const Fitted fitted = FitAxis({120, 10, 0}, {});
    EXPECT_EQ(fitted.length, 120);
    EXPECT_TRUE(fitted.spans.empty());
}

} // namespace
} // namespace qx::fit
