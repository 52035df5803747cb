#include "drawing/apply_change.h"

#include "cadhost/session.h"
#include "tests/drawing/drawing_fixture.h"

#include <gmock/gmock.h>

namespace qx::test {
namespace {

using F = PendingChangeFlag;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

struct ResultRow {
    const char* name;
    std::uint8_t operation;
    bool manualEdit;
    std::vector<std::int32_t> replacementsPerEntity; // one changed entity each
    std::string message;
};

class ResultMessage : public DrawingTest, public ::testing::WithParamInterface<ResultRow> {};

TEST_P(ResultMessage, NamesTheCountsOfTheRun) {
    const ResultRow& row = GetParam();
    const host::lgl_addr layer = D().AddLayer("Plans");
    S().operation = row.operation;
    S().manualEditMade = row.manualEdit;
    std::vector<std::string> expectedLines;
    for (const std::int32_t n : row.replacementsPerEntity) {
        const host::lgl_addr text = AddText(layer, "door");
        Pending().push_back(Entry(text, "gate", F::AllOK, n));
        S().curIndex = static_cast<std::int32_t>(Pending().size() - 1);
        ASSERT_EQ(ApplyPendingChange(), ApplyOutcome::Changed);
        expectedLines.insert(expectedLines.end(), {"odoor", "ngate"});
    }

    WriteResultMessage();

    EXPECT_EQ(S().resultMsg.str(), row.message);
    EXPECT_EQ(cadhost::CurrentSession().ui.error, row.message);
    if (!row.replacementsPerEntity.empty())
        expectedLines.push_back("r" + row.message);
    EXPECT_THAT(Report(), ElementsAreArray(expectedLines));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ResultMessage,
    ::testing::Values(
        ResultRow{"ReplaceCounts", opReplace, false, {2, 1}, "3 replacements made in 2 entities"},
        ResultRow{"ReplaceNothing", opReplace, false, {}, "0 replacements made in 0 entities"},
        ResultRow{"ReplaceOneEntity", opReplace, false, {1}, "1 replacements made in 1 entities"},
        ResultRow{"UpperCaseUpdated", opUpper, false, {1, 1, 1, 1}, "4 entities were updated."},
        ResultRow{"UpperCaseNothing", opUpper, false, {}, "No entities were changed"},
        ResultRow{"IncrementUpdated", opIncLast, false, {1}, "1 entities were updated."},
        ResultRow{"ManualEditUpdated", opReplace, true, {3, 1}, "2 entities were updated."},
        ResultRow{"ManualEditNothing", opReplace, true, {}, "No entities were changed"}),
    [](const auto& info) { return std::string(info.param.name); });

using ResultMessageTest = DrawingTest;

TEST_F(ResultMessageTest, ASecondResultReplacesTheResultLine) {
    Report() = {"oa", "nb", "rold result"};
    S().numEntsChanged = 1;
    S().numReplacements = 1;
    WriteResultMessage();
    S().numEntsChanged = 2;
    S().numReplacements = 5;
    Report().insert(Report().end() - 1, {"oc", "pd"});

    WriteResultMessage();

    EXPECT_THAT(Report(),
                ElementsAre("oa", "nb", "oc", "pd", "r5 replacements made in 2 entities"));
}

TEST_F(ResultMessageTest, NothingChangedKeepsTheReportAsItIs) {
    Report() = {"oa", "nb", "rearlier"};

    WriteResultMessage();

    EXPECT_THAT(Report(), ElementsAre("oa", "nb", "rearlier"));
    EXPECT_EQ(cadhost::CurrentSession().ui.error, "0 replacements made in 0 entities");
}

} // namespace
} // namespace qx::test
