// Scans over the drawing: which entities a mode visits, and in which order.
#include "cadhost/model/drawing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace cadhost {
namespace {

using qx::host::kEntMultiLineText;
using qx::host::kEntParagraphText;
using qx::host::kEntText;

std::vector<std::string> Walk(const Drawing& d, const ModeRec& mode) {
    std::vector<std::string> names;
    for (lgl_addr a = d.FirstInMode(mode); !IsNil(a); a = d.NextInMode(mode, a)) {
        names.push_back(d.FindEntity(a)->name);
        if (names.size() > 100) {
            ADD_FAILURE() << "the walk does not end";
            break;
        }
    }
    return names;
}

class DrawingScan : public ::testing::Test {
protected:
    void SetUp() override {
        first = d.AddLayer("First");
        empty = d.AddLayer("Empty");
        second = d.AddLayer("Second");
        // Added across layers out of layer order, so that layer order and creation order differ.
        d.AddEntity(MakeText("s1", {0, 0}, 1, "s1"), second);
        d.AddEntity(MakeText("f1", {0, 0}, 1, "f1"), first);
        d.AddEntity(MakeLine({0, 0}, {1, 1}, "line"), first);
        d.AddEntity(MakeSmartText(kEntParagraphText, {{"p", {}, 1, 0}}, "para"), second);
        d.AddEntity(MakeText("f2", {0, 0}, 1, "f2"), first);
        d.AddEntity(MakeSmartText(kEntMultiLineText, {{"m", {}, 1, 0}}, "mtext"), first);
    }

    ModeRec WholeDrawing() const {
        ModeRec m;
        InitMode(m);
        return m;
    }

    Drawing d;
    lgl_addr first, empty, second;
};

TEST_F(DrawingScan, WholeDrawingGoesLayerByLayerInCreationOrder) {
    EXPECT_EQ(Walk(d, WholeDrawing()),
              (std::vector<std::string>{"f1", "line", "f2", "mtext", "s1", "para"}));
}

TEST_F(DrawingScan, OneLayerVisitsOnlyThatLayer) {
    ModeRec m = WholeDrawing();
    SetModeLayer(m, second);
    EXPECT_EQ(Walk(d, m), (std::vector<std::string>{"s1", "para"}));
    SetModeLayer(m, empty);
    EXPECT_TRUE(Walk(d, m).empty());
}

TEST_F(DrawingScan, NextFromAnotherLayersEntityEndsAOneLayerWalk) {
    ModeRec m = WholeDrawing();
    SetModeLayer(m, second);
    EXPECT_TRUE(IsNil(d.NextInMode(m, d.FindEntityByName("f2"))));
}

TEST_F(DrawingScan, TypeNarrowingAllowsEachTypeGiven) {
    ModeRec m = WholeDrawing();
    AllowType(m, kEntText);
    EXPECT_EQ(Walk(d, m), (std::vector<std::string>{"f1", "f2", "s1"}));
    AllowType(m, kEntMultiLineText);
    AllowType(m, kEntText); // a repeat adds nothing
    EXPECT_EQ(Walk(d, m), (std::vector<std::string>{"f1", "f2", "mtext", "s1"}));
    AllowType(m, kEntParagraphText);
    EXPECT_EQ(Walk(d, m), (std::vector<std::string>{"f1", "f2", "mtext", "s1", "para"}));
}

TEST_F(DrawingScan, NarrowingSurvivesChoosingALayer) {
    ModeRec m = WholeDrawing();
    AllowType(m, kEntText);
    SetModeLayer(m, first);
    EXPECT_EQ(Walk(d, m), (std::vector<std::string>{"f1", "f2"}));
}

TEST_F(DrawingScan, SelectionKeepsTheOrderGivenAndEachEntityOnce) {
    const std::int32_t sel = d.CreateSelection(
        {d.FindEntityByName("para"), d.FindEntityByName("f1"), d.FindEntityByName("line"),
         d.FindEntityByName("para"), d.FindEntityByName("s1")});
    ModeRec m = WholeDrawing();
    SetModeSelection(m, sel);
    EXPECT_EQ(Walk(d, m), (std::vector<std::string>{"para", "f1", "line", "s1"}));
    AllowType(m, kEntText);
    AllowType(m, kEntParagraphText);
    EXPECT_EQ(Walk(d, m), (std::vector<std::string>{"para", "f1", "s1"}));
}

TEST_F(DrawingScan, NextInASelectionFromAnyMemberNotOnlyTheLastAnswer) {
    const auto at = [&](const char* name) { return d.FindEntityByName(name); };
    const std::int32_t sel = d.CreateSelection({at("s1"), at("f1"), at("line"), at("f2")});
    ModeRec m = WholeDrawing();
    SetModeSelection(m, sel);
    ASSERT_EQ(d.FirstInMode(m), at("s1"));
    // Asked out of the walk's order, each answer still follows the selection's order.
    EXPECT_EQ(d.NextInMode(m, at("line")), at("f2"));
    EXPECT_EQ(d.NextInMode(m, at("s1")), at("f1"));
    EXPECT_EQ(d.NextInMode(m, at("f1")), at("line"));
    EXPECT_TRUE(IsNil(d.NextInMode(m, at("f2"))));
    EXPECT_TRUE(IsNil(d.NextInMode(m, at("para")))) << "not a member";
    EXPECT_TRUE(IsNil(d.NextInMode(m, first))) << "a layer's address is no member";
}

TEST_F(DrawingScan, EntitiesOnALayerByPlace) {
    EXPECT_EQ(d.EntityOnLayer(first, 0), d.FindEntityByName("f1"));
    EXPECT_EQ(d.EntityOnLayer(first, 2), d.FindEntityByName("f2"));
    EXPECT_TRUE(IsNil(d.EntityOnLayer(first, 4)));
    EXPECT_TRUE(IsNil(d.EntityOnLayer(empty, 0)));
    EXPECT_TRUE(IsNil(d.EntityOnLayer(lgl_addr{kLayerPage, 99}, 0)));
    d.Erase(d.FindEntityByName("line"));
    EXPECT_TRUE(IsNil(d.EntityOnLayer(first, 1))) << "an erased entity keeps its place";
    std::vector<std::string> visited;
    d.ForEachEntityOnLayer(first, [&](const Entity& e) { visited.push_back(e.name); });
    EXPECT_EQ(visited, (std::vector<std::string>{"f1", "f2", "mtext"}));
}

TEST_F(DrawingScan, SelectionsAreNumberedApart) {
    const std::int32_t a = d.CreateSelection({d.FindEntityByName("f1")});
    const std::int32_t b = d.CreateSelection({d.FindEntityByName("s1")});
    ASSERT_NE(a, b);
    ModeRec m = WholeDrawing();
    SetModeSelection(m, a);
    EXPECT_EQ(Walk(d, m), (std::vector<std::string>{"f1"}));
    SetModeSelection(m, b);
    EXPECT_EQ(Walk(d, m), (std::vector<std::string>{"s1"}));
}

TEST_F(DrawingScan, ModesThatNameNothingVisitNothing) {
    ModeRec never; // not initialised
    EXPECT_TRUE(IsNil(d.FirstInMode(never)));
    ModeRec m = WholeDrawing();
    SetModeLayer(m, lgl_addr{kLayerPage, 99});
    EXPECT_TRUE(IsNil(d.FirstInMode(m)));
    SetModeSelection(m, 42);
    EXPECT_TRUE(IsNil(d.FirstInMode(m)));
}

TEST_F(DrawingScan, ErasedEntitiesAreNeitherReadNorVisited) {
    const lgl_addr f2 = d.FindEntityByName("f2");
    ASSERT_TRUE(d.Erase(f2));
    EXPECT_EQ(d.FindEntity(f2), nullptr);
    EXPECT_FALSE(d.Erase(f2));
    EXPECT_EQ(Walk(d, WholeDrawing()),
              (std::vector<std::string>{"f1", "line", "mtext", "s1", "para"}));
}

TEST_F(DrawingScan, AWalkGoesOnPastTheEntityErasedUnderIt) {
    const ModeRec m = WholeDrawing();
    const lgl_addr line = d.FindEntityByName("line");
    d.Erase(line);
    EXPECT_EQ(d.NextInMode(m, line), d.FindEntityByName("f2"));
}

TEST(DrawingLayers, ChainAndCurrentLayer) {
    Drawing d;
    EXPECT_TRUE(IsNil(d.CurrentLayer()));
    const lgl_addr a = d.AddLayer("A");
    const lgl_addr b = d.AddLayer("B", false, true);
    EXPECT_TRUE(IsNil(d.AddLayer("A"))) << "layer names are unique";
    EXPECT_TRUE(IsNil(d.AddLayer("")));
    EXPECT_EQ(d.CurrentLayer(), a);
    EXPECT_EQ(d.NextLayer(a), b);
    EXPECT_TRUE(IsNil(d.NextLayer(b)));
    EXPECT_TRUE(d.SetCurrentLayer(b));
    EXPECT_FALSE(d.SetCurrentLayer({kEntityPage, 1}));
    EXPECT_EQ(d.CurrentLayer(), b);
}

TEST(DrawingEntities, NamesAreUniqueAndLayersMustExist) {
    Drawing d;
    const lgl_addr a = d.AddLayer("A");
    const lgl_addr t = d.AddEntity(MakeText("x", {}, 1, "tag"), a);
    EXPECT_FALSE(IsNil(t));
    EXPECT_TRUE(IsNil(d.AddEntity(MakeText("y", {}, 1, "tag"), a)));
    EXPECT_TRUE(IsNil(d.AddEntity(MakeText("y", {}, 1, "other"), {kLayerPage, 7})));
    EXPECT_EQ(d.Entities().size(), 1u);
    EXPECT_EQ(d.FindEntity(t)->layer, a);
}

} // namespace
} // namespace cadhost
