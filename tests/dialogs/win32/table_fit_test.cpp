// Fitting a table to measured texts, without any window: what grows, what is pushed, and what
// stays as drawn.
#include "dialogs/win32/table_fit.h"

#include <gtest/gtest.h>

#include <map>
#include <string_view>

namespace qx::win32 {
namespace {

using form::ControlSpec;
using form::Kind;
using form::Rect;

// Text needs given per row; rows not named need nothing.
class GivenNeeds : public TextNeeds {
public:
    explicit GivenNeeds(std::map<std::size_t, Size> least) : least_(std::move(least)) {}
    Size Least(std::size_t row) const override {
        const auto found = least_.find(row);
        return found == least_.end() ? Size{} : found->second;
    }
    int HeightForWidth(std::size_t, int) const override { return 0; }
    int TextSpacing(std::size_t) const override { return 4; }
    int TitleHeight(std::size_t) const override { return 15; }

private:
    std::map<std::size_t, Size> least_;
};

constexpr ControlSpec kTable[] = {
    {"w", Kind::Window, "", {0, 0, 200, 100}, "", form::kNearEdges},
    {"group", Kind::GroupBox, "w", {8, 8, 184, 50}, "Group", form::kNearEdges},
    {"label", Kind::Label, "group", {10, 20, 50, 15}, "Label", form::kNearEdges},
    {"field", Kind::Edit, "group", {70, 18, 100, 23}, "", form::kLeft | form::kTop | form::kRight},
    {"ok", Kind::Button, "w", {117, 68, 75, 25}, "OK", form::kRight | form::kBottom},
};

TEST(TableFit, ADesignWhoseTextsFitComesOutAsDrawn) {
    const FittedTable fitted = FitTable(kTable, GivenNeeds({{2, {40, 15}}, {4, {30, 20}}}));
    for (std::size_t row = 0; row < std::size(kTable); ++row)
        EXPECT_EQ(fitted.rects[row], kTable[row].rect) << kTable[row].name;
    EXPECT_EQ(fitted.container[0], -1);
    EXPECT_EQ(fitted.container[2], 1);
    EXPECT_EQ(fitted.container[4], 0);
}

TEST(TableFit, ALongTextPushesItsRowAndGrowsItsGroupAndTheWindow) {
    const FittedTable fitted = FitTable(kTable, GivenNeeds({{2, {90, 15}}}));
    EXPECT_EQ(fitted.rects[2].width, 90);
    // The field after it in its row moves right just as far as it must, and keeps its width.
    EXPECT_GE(fitted.rects[3].x, fitted.rects[2].x + 90);
    EXPECT_EQ(fitted.rects[3].width, 100);
    EXPECT_GE(fitted.rects[1].width, fitted.rects[3].x + fitted.rects[3].width);
    EXPECT_GT(fitted.rects[0].width, 200);
    // The button tied to the right edge keeps its distance to it.
    EXPECT_EQ(fitted.rects[0].width - (fitted.rects[4].x + fitted.rects[4].width), 8);
}

TEST(TableFit, AGroupTitleWiderThanItsGroupGrowsIt) {
    const FittedTable fitted = FitTable(kTable, GivenNeeds({{1, {260, 0}}}));
    EXPECT_GE(fitted.rects[1].width, 260);
    EXPECT_GE(fitted.rects[0].width, fitted.rects[1].x + fitted.rects[1].width);
}

TEST(TableFit, FollowStretchesMovesOrKeepsByTheAnchors) {
    const Rect at{10, 20, 30, 40};
    EXPECT_EQ(Follow(at, {5, 7}, form::kNearEdges), at);
    EXPECT_EQ(Follow(at, {5, 7}, form::kLeft | form::kRight | form::kTop), (Rect{10, 20, 35, 40}));
    EXPECT_EQ(Follow(at, {5, 7}, form::kRight | form::kBottom), (Rect{15, 27, 30, 40}));
    EXPECT_EQ(Follow(at, {5, 7}, form::kTop | form::kBottom | form::kLeft), (Rect{10, 20, 30, 47}));
}

TEST(TableFit, ALabelDrawnWithoutASizeTakesItsTexts) {
    const ControlSpec label{"l", Kind::Label, "w", {4, 5, 0, 0}, "Text", form::kNearEdges};
    EXPECT_EQ(DesignRect(label, {33, 15}), (Rect{4, 5, 33, 15}));
    const ControlSpec field{"f", Kind::Edit, "w", {4, 5, 0, 0}, "", form::kNearEdges};
    EXPECT_EQ(DesignRect(field, {0, 21}), (Rect{4, 5, 0, 0}));
}

} // namespace
} // namespace qx::win32
