#include "drawing/pending_list.h"

#include "tests/drawing/drawing_fixture.h"

#include <gmock/gmock.h>

namespace qx::test {
namespace {

using F = PendingChangeFlag;
using ::testing::ElementsAre;

const char* const kLockedNotice = "Matching Entities on Locked Layers will NOT be modified";

std::vector<F> Flags(const PendingList& list) {
    std::vector<F> flags;
    for (const PendingChangeType& e : list)
        flags.push_back(e.Flag);
    return flags;
}

std::vector<std::int32_t> Offsets(const PendingList& list) {
    std::vector<std::int32_t> ofs;
    for (const PendingChangeType& e : list)
        ofs.push_back(e.adr.ofs);
    return ofs;
}

using SortPendingTest = DrawingTest;

TEST_F(SortPendingTest, SortsByFlagAscending) {
    const F flags[] = {F::FindOnly, F::AllOK, F::SmartEnt, F::LenError, F::AllOK, F::ChgdLenError};
    std::int32_t ofs = 1;
    for (F f : flags)
        Pending().push_back(Entry({2, ofs++}, "t", f));

    SortPending();

    EXPECT_THAT(Flags(Pending()), ElementsAre(F::AllOK, F::AllOK, F::LenError, F::ChgdLenError,
                                              F::SmartEnt, F::FindOnly));
    // Entries of one flag keep the scan's order.
    EXPECT_THAT(Offsets(Pending()), ElementsAre(2, 5, 4, 6, 3, 1));
    EXPECT_TRUE(ui_.Boxes().empty());
}

TEST_F(SortPendingTest, DropsLockedChangesWithOneNoticeAndKeepsFindOnly) {
    Pending().push_back(Entry({2, 1}, "a", F::AllOK, 1, true));
    Pending().push_back(Entry({2, 2}, "b", F::AllOK, 1, false));
    Pending().push_back(Entry({2, 3}, "c", F::SmartEnt, 0, true));
    Pending().push_back(Entry({2, 4}, "d", F::LenError, 0, true));
    Pending().push_back(Entry({2, 5}, "e", F::ChgdLenError, 1, true));

    SortPending();

    EXPECT_THAT(Offsets(Pending()), ElementsAre(2));
    ASSERT_EQ(ui_.Boxes().size(), 1u);
    EXPECT_EQ(ui_.Boxes()[0].kind, host::BoxKind::Information);
    EXPECT_EQ(ui_.Boxes()[0].text, kLockedNotice);
}

TEST_F(SortPendingTest, FindOnlyEntriesOnLockedLayersStaySilently) {
    Pending().push_back(Entry({2, 1}, "a", F::FindOnlySmartEnt, 0, true));
    Pending().push_back(Entry({2, 2}, "b", F::FindOnly, 1, true));

    SortPending();

    EXPECT_THAT(Flags(Pending()), ElementsAre(F::FindOnly, F::FindOnlySmartEnt));
    EXPECT_TRUE(ui_.Boxes().empty());
}

TEST_F(SortPendingTest, EmptyListShowsNothing) {
    SortPending();
    EXPECT_TRUE(Pending().empty());
    EXPECT_TRUE(ui_.Boxes().empty());
}

TEST_F(SortPendingTest, EveryEntryLockedEmptiesTheList) {
    Pending().push_back(Entry({2, 1}, "a", F::AllOK, 1, true));
    Pending().push_back(Entry({2, 2}, "b", F::AllOK, 1, true));

    SortPending();

    EXPECT_TRUE(Pending().empty());
    EXPECT_EQ(ui_.Boxes().size(), 1u);
}

} // namespace
} // namespace qx::test
