#include "drawing/apply_change.h"

#include "host/host_table.h"
#include "tests/drawing/drawing_fixture.h"

#include <gmock/gmock.h>

namespace qx::test {
namespace {

using F = PendingChangeFlag;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ApplyChangeTest : public DrawingTest {
protected:
    void SetUp() override {
        DrawingTest::SetUp();
        layer_ = D().AddLayer("Plans");
    }

    // Puts the entry in the list and makes it the one under review.
    void Review(PendingChangeType entry) {
        Pending().push_back(std::move(entry));
        S().curIndex = static_cast<std::int32_t>(Pending().size() - 1);
    }

    // The display calls made for one entity: (a, b) pairs in order.
    std::vector<std::pair<std::int32_t, std::int32_t>> DrawCalls(host::lgl_addr addr) const {
        std::vector<std::pair<std::int32_t, std::int32_t>> calls;
        for (const cadhost::DisplayItem& item : D().Display().Items())
            if (item.addr == addr)
                calls.emplace_back(item.a, item.b);
        return calls;
    }

    host::lgl_addr layer_;
};

TEST_F(ApplyChangeTest, AllOKWritesTheTextCountsAndReports) {
    const host::lgl_addr door = AddText(layer_, "door to door");
    Review(Entry(door, "Gate to Gate", F::AllOK, 2));

    EXPECT_EQ(ApplyPendingChange(), ApplyOutcome::Changed);

    EXPECT_EQ(TextOf(door), "Gate to Gate");
    EXPECT_EQ(S().numEntsChanged, 1);
    EXPECT_EQ(S().numReplacements, 2);
    EXPECT_THAT(Report(), ElementsAre("odoor to door", "nGate to Gate"));
    // The old image is erased; drawing the new one is the caller's.
    EXPECT_THAT(DrawCalls(door), ElementsAre(std::make_pair(0, 0)));
    const host::str255 current = S().curEnt.text;
    EXPECT_EQ(current.str(), "Gate to Gate");
    EXPECT_EQ(Pending()[0].Flag, F::AllOK);
}

TEST_F(ApplyChangeTest, ChgdLenErrorAddsAPLineAndBecomesAllOK) {
    const host::lgl_addr text = AddText(layer_, "a b a");
    Review(Entry(text, "abc b a", F::ChgdLenError, 1));

    EXPECT_EQ(ApplyPendingChange(), ApplyOutcome::Changed);

    EXPECT_EQ(TextOf(text), "abc b a");
    EXPECT_THAT(Report(), ElementsAre("oa b a", "pabc b a"));
    EXPECT_EQ(Pending()[0].Flag, F::AllOK);
    EXPECT_EQ(Pending()[0].newstr, "abc b a");
    EXPECT_EQ(S().numReplacements, 1);
}

TEST_F(ApplyChangeTest, TextLongerThanAnEntityHoldsIsCut) {
    const host::lgl_addr text = AddText(layer_, "short");
    Review(Entry(text, std::string(300, 'y'), F::AllOK, 1));

    EXPECT_EQ(ApplyPendingChange(), ApplyOutcome::Changed);

    EXPECT_EQ(TextOf(text), std::string(255, 'y'));
    EXPECT_EQ(Report().back(), "n" + std::string(255, 'y'));
}

struct UntouchedRow {
    const char* name;
    F flag;
    bool confirmEach;
};

class UntouchedFlags : public ApplyChangeTest,
                       public ::testing::WithParamInterface<UntouchedRow> {};

TEST_P(UntouchedFlags, LeaveTheEntityAlone) {
    const host::lgl_addr text = AddText(layer_, "door");
    S().confirmEach = GetParam().confirmEach;
    Review(Entry(text, "gate", GetParam().flag, 1));

    EXPECT_EQ(ApplyPendingChange(), ApplyOutcome::Unchanged);

    EXPECT_EQ(TextOf(text), "door");
    EXPECT_THAT(Report(), IsEmpty());
    EXPECT_EQ(S().numEntsChanged, 0);
    EXPECT_THAT(DrawCalls(text), IsEmpty());
    EXPECT_EQ(Pending()[0].Flag, GetParam().flag);
    // The entity is still read, so that the caller can show it.
    const host::lgl_addr read = S().curEnt.addr;
    EXPECT_EQ(read, text);
}

INSTANTIATE_TEST_SUITE_P(Flags, UntouchedFlags,
                         ::testing::Values(UntouchedRow{"LenError", F::LenError, true},
                                           UntouchedRow{"SmartEnt", F::SmartEnt, false},
                                           UntouchedRow{"FindOnly", F::FindOnly, true},
                                           UntouchedRow{"SmartEntConfirmed", F::SmartEntConfirmed,
                                                        true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ApplyChangeTest, ASmartEntityUnderConfirmEachIsMarkedForTheCallerToCollect) {
    const host::lgl_addr text = AddText(layer_, "door");
    S().confirmEach = true;
    Review(Entry(text, "gate", F::SmartEnt, 1));

    EXPECT_EQ(ApplyPendingChange(), ApplyOutcome::CollectSmartEntity);

    EXPECT_EQ(TextOf(text), "door");
    EXPECT_EQ(Pending()[0].Flag, F::SmartEntConfirmed);
    const host::lgl_addr read = S().curEnt.addr;
    EXPECT_EQ(read, text);
}

TEST_F(ApplyChangeTest, UnreadableEntityIsSkipped) {
    const host::lgl_addr text = AddText(layer_, "door");
    ASSERT_TRUE(D().Erase(text));
    Review(Entry(text, "gate", F::AllOK, 1));

    EXPECT_EQ(ApplyPendingChange(), ApplyOutcome::Unchanged);

    EXPECT_THAT(Report(), IsEmpty());
    EXPECT_EQ(S().numEntsChanged, 0);
}

TEST_F(ApplyChangeTest, IndexOutsideTheListChangesNothing) {
    const host::lgl_addr text = AddText(layer_, "door");
    Review(Entry(text, "gate", F::AllOK, 1));

    for (const std::int32_t index : {-1, 1}) {
        S().curIndex = index;
        EXPECT_EQ(ApplyPendingChange(), ApplyOutcome::Unchanged) << index;
    }
    EXPECT_EQ(TextOf(text), "door");
}

TEST_F(ApplyChangeTest, ARunInOneTransactionUndoesAsOneStep) {
    const host::lgl_addr first = AddText(layer_, "door 1");
    const host::lgl_addr second = AddText(layer_, "door 2");
    const std::size_t stepsBefore = D().UndoStepCount();

    host::Host().UndoStartTransaction();
    Review(Entry(first, "gate 1", F::AllOK, 1));
    EXPECT_EQ(ApplyPendingChange(), ApplyOutcome::Changed);
    Review(Entry(second, "gate 2", F::AllOK, 1));
    EXPECT_EQ(ApplyPendingChange(), ApplyOutcome::Changed);
    host::Host().UndoEndTransaction();

    ASSERT_EQ(D().UndoStepCount(), stepsBefore + 1);
    EXPECT_THAT(D().UndoSteps().back().entities, ElementsAre(first, second));
    EXPECT_TRUE(D().Undo());
    EXPECT_EQ(TextOf(first), "door 1");
    EXPECT_EQ(TextOf(second), "door 2");
}

} // namespace
} // namespace qx::test
