// Undo: a transaction undoes as one step, every other change as a step of its own.
#include "cadhost/model/drawing.h"
#include "cadhost/model/entity_record.h"

#include <gtest/gtest.h>

namespace cadhost {
namespace {

class DrawingUndo : public ::testing::Test {
protected:
    void SetUp() override {
        const lgl_addr layer = d.AddLayer("L");
        a = d.AddEntity(MakeText("alpha", {}, 1, "a"), layer);
        b = d.AddEntity(MakeText("beta", {}, 1, "b"), layer);
    }
    std::string Text(lgl_addr addr) const { return d.FindEntity(addr)->text.text; }

    Drawing d;
    lgl_addr a, b;
};

// A save skips the entities never changed, so every kind of change must mark its entity, and
// an undo must not unmark it (the text may differ from the file's in other ways since).
TEST_F(DrawingUndo, EveryRecordedChangeMarksItsEntityForGood) {
    EXPECT_FALSE(d.WasChanged(a));
    EXPECT_FALSE(d.WasChanged(b));
    d.SetText(a, "ALPHA");
    EXPECT_TRUE(d.WasChanged(a));
    EXPECT_FALSE(d.WasChanged(b));
    d.Undo();
    EXPECT_TRUE(d.WasChanged(a));
    d.Erase(b);
    EXPECT_TRUE(d.WasChanged(b));
    const lgl_addr c = d.AddEntity(MakeText("gamma", {}, 1, "c"), d.CurrentLayer());
    qx::host::EntityRec rec{};
    FillRecord(*d.FindEntity(c), rec);
    EXPECT_TRUE(d.UpdateFromRecord(rec));
    EXPECT_FALSE(d.WasChanged(c)); // a write that changes nothing records nothing
    rec.text.assign("GAMMA");
    EXPECT_TRUE(d.UpdateFromRecord(rec));
    EXPECT_TRUE(d.WasChanged(c));
    EXPECT_FALSE(d.WasChanged(lgl_addr{kEntityPage, 99}));
}

TEST_F(DrawingUndo, TwoChangesInOneTransactionUndoTogether) {
    d.BeginTransaction();
    d.SetText(a, "ALPHA");
    d.SetText(b, "BETA");
    d.SetText(a, "Alpha"); // a second change of one entity
    d.EndTransaction();
    ASSERT_EQ(d.UndoStepCount(), 1u);
    const auto steps = d.UndoSteps();
    EXPECT_TRUE(steps[0].transaction);
    EXPECT_EQ(steps[0].entities, (std::vector<lgl_addr>{a, b}));

    EXPECT_TRUE(d.Undo());
    EXPECT_EQ(Text(a), "alpha");
    EXPECT_EQ(Text(b), "beta");
    EXPECT_EQ(d.UndoStepCount(), 0u);
    EXPECT_FALSE(d.Undo());
}

TEST_F(DrawingUndo, TwoTransactionsUndoSeparately) {
    d.BeginTransaction();
    d.SetText(a, "one");
    d.EndTransaction();
    d.BeginTransaction();
    d.SetText(b, "two");
    d.EndTransaction();
    ASSERT_EQ(d.UndoStepCount(), 2u);
    d.Undo();
    EXPECT_EQ(Text(a), "one");
    EXPECT_EQ(Text(b), "beta");
    d.Undo();
    EXPECT_EQ(Text(a), "alpha");
}

TEST_F(DrawingUndo, ChangesOutsideATransactionAreStepsOfTheirOwn) {
    d.SetText(a, "one");
    d.SetText(b, "two");
    const auto steps = d.UndoSteps();
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_FALSE(steps[0].transaction);
    d.Undo();
    EXPECT_EQ(Text(a), "one");
    EXPECT_EQ(Text(b), "beta");
}

TEST_F(DrawingUndo, RecordWritesAndErasuresAreUndone) {
    EntityRec rec;
    FillRecord(*d.FindEntity(a), rec);
    rec.text.assign("from a record");
    d.BeginTransaction();
    EXPECT_TRUE(d.UpdateFromRecord(rec));
    d.Erase(b);
    d.EndTransaction();
    EXPECT_EQ(Text(a), "from a record");
    EXPECT_EQ(d.FindEntity(b), nullptr);
    d.Undo();
    EXPECT_EQ(Text(a), "alpha");
    ASSERT_NE(d.FindEntity(b), nullptr);
    EXPECT_EQ(Text(b), "beta");
}

// A change keeps only what it replaced: the old text when only the text changed, the whole
// entity when more did. Either way the undo gives back the entity exactly, in the drawing and
// in a copy of it taken before the undo.
TEST_F(DrawingUndo, TextOnlyAndWholeEntityChangesUndoExactly) {
    const Entity beforeA = *d.FindEntity(a);
    const Entity beforeB = *d.FindEntity(b);
    EntityRec rec;
    FillRecord(beforeA, rec);
    rec.text.assign("text only");
    d.BeginTransaction();
    ASSERT_TRUE(d.UpdateFromRecord(rec));
    FillRecord(beforeB, rec);
    rec.text.assign("text and colour");
    rec.color = beforeB.color + 3;
    ASSERT_TRUE(d.UpdateFromRecord(rec));
    ASSERT_TRUE(d.SetText(b, "set afterwards"));
    d.EndTransaction();
    EXPECT_EQ(d.FindEntity(b)->color, beforeB.color + 3);

    Drawing copy = d;
    for (Drawing* drawing : {&d, &copy}) {
        ASSERT_TRUE(drawing->Undo());
        EXPECT_EQ(*drawing->FindEntity(a), beforeA);
        EXPECT_EQ(*drawing->FindEntity(b), beforeB);
    }
}

TEST_F(DrawingUndo, AWriteThatChangesNothingLeavesNoStep) {
    EntityRec rec;
    FillRecord(*d.FindEntity(a), rec);
    EXPECT_TRUE(d.UpdateFromRecord(rec));
    EXPECT_EQ(d.UndoStepCount(), 0u);
}

TEST_F(DrawingUndo, AWriteOfAnotherTypeIsRefused) {
    EntityRec rec;
    FillRecord(*d.FindEntity(a), rec);
    rec.enttype = qx::host::kEntPolygon;
    EXPECT_FALSE(d.UpdateFromRecord(rec));
    EXPECT_EQ(d.UndoStepCount(), 0u);
}

TEST_F(DrawingUndo, EmptyAndNestedTransactions) {
    d.BeginTransaction();
    d.EndTransaction();
    EXPECT_EQ(d.UndoStepCount(), 0u) << "a transaction without changes is no step";

    d.BeginTransaction();
    d.SetText(a, "outer");
    d.BeginTransaction();
    d.SetText(b, "inner");
    d.EndTransaction();
    EXPECT_TRUE(d.InTransaction());
    d.EndTransaction();
    EXPECT_FALSE(d.InTransaction());
    d.EndTransaction(); // one end too many changes nothing
    ASSERT_EQ(d.UndoStepCount(), 1u);
    d.Undo();
    EXPECT_EQ(Text(a), "alpha");
    EXPECT_EQ(Text(b), "beta");
}

TEST_F(DrawingUndo, UndoClosesAnOpenTransactionFirst) {
    d.SetText(b, "before");
    d.BeginTransaction();
    d.SetText(a, "open");
    EXPECT_TRUE(d.Undo());
    EXPECT_FALSE(d.InTransaction());
    EXPECT_EQ(Text(a), "alpha");
    EXPECT_EQ(Text(b), "before");
    // Changes after the undo are steps of their own again.
    d.SetText(a, "later");
    EXPECT_EQ(d.UndoStepCount(), 2u);
}

} // namespace
} // namespace cadhost
