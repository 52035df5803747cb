#include "drawing/drawing_scan.h"

#include "cadhost/model/scan_mode.h"
#include "host/host_table.h"
#include "tests/drawing/drawing_fixture.h"

#include <gmock/gmock.h>

namespace qx::test {
namespace {

using F = PendingChangeFlag;

struct ScanSettings {
    std::string search{};
    std::string replace{};
    bool caseSens = false;
    bool wholeWords = false;
    bool wholeEnts = false;
    std::uint8_t operation = opReplace;
    std::int32_t increment = 1;
    bool findOnly = false;
};

struct Expected {
    std::size_t entity; // index among the row's plain texts, then its smart texts
    std::string newstr;
    F flag;
    std::int32_t numChanges; // not checked for smart entities
};

struct ScanRow {
    std::string name;
    std::vector<std::string> texts;
    std::vector<std::vector<std::string>> smarts; // the pieces of each smart text
    ScanSettings settings;
    std::vector<Expected> expected;
};

std::string Repeat(char c, std::size_t n) {
    return std::string(n, c);
}

std::vector<ScanRow> Rows() {
    const std::string a254 = "a" + Repeat('x', 253);
    const std::string twoA = "a" + Repeat('x', 250) + "a";
    const std::string nine255 = Repeat('x', 254) + "9";
    const std::vector<std::string> doors{"Door", "door 2"};
    const std::vector<std::vector<std::string>> backDoor{{"Back", "door"}};
    return {
        {"DoorToGate",
         doors,
         backDoor,
         {.search = "door", .replace = "Gate"},
         {{0, "Gate", F::AllOK, 1}, {1, "Gate 2", F::AllOK, 1}, {2, "Back door", F::SmartEnt, 0}}},
        {"UpperCaseSearchSkipsSmartText",
         doors,
         backDoor,
         {.search = "DOOR", .replace = "Gate"},
         {{0, "Gate", F::AllOK, 1}, {1, "Gate 2", F::AllOK, 1}}},
        {"CaseSensitive",
         doors,
         backDoor,
         {.search = "door", .replace = "Gate", .caseSens = true},
         {{1, "Gate 2", F::AllOK, 1}, {2, "Back door", F::SmartEnt, 0}}},
        {"WholeWordsNarrowsSmartText",
         {"door", "doors"},
         {{"Back", "doors"}},
         {.search = "door", .replace = "Gate", .wholeWords = true},
         {{0, "Gate", F::AllOK, 1}}},
        {"WholeEntity",
         doors,
         {},
         {.search = "door", .replace = "Gate", .wholeEnts = true},
         {{0, "Gate", F::AllOK, 1}}},
        {"SeveralReplacementsInOneText",
         {"door to door"},
         {},
         {.search = "door", .replace = "Gate"},
         {{0, "Gate to Gate", F::AllOK, 2}}},
        {"ReplaceWithEmptySearchListsNothing", {"Door"}, {{"Door"}}, {.search = ""}, {}},
        {"UpperWithEmptySearchOnlyAsciiInPlainText",
         {"ABC 1", "abc", "\xC9T\xC9", "\xE9T"},
         {{"\xE9T\xC9"}, {"ABC"}},
         {.operation = opUpper},
         {{1, "ABC", F::AllOK, 1}, {4, "\xE9T\xC9", F::SmartEnt, 0}}},
        {"LowerCaseFiltered",
         {"ABC", "abc", "XYZ"},
         {},
         {.search = "b", .operation = opLower},
         {{0, "abc", F::AllOK, 1}}},
        {"SentenceCase",
         {"hello. world", "Hello. World"},
         {{"hello. world"}},
         {.operation = opSentence},
         {{0, "Hello. World", F::AllOK, 1}, {2, "hello. world", F::SmartEnt, 0}}},
        {"FirstNumber",
         {"Rev 9", "Rev"},
         {{"Rev"}},
         {.operation = opIncFirst, .increment = 1},
         {{0, "Rev 10", F::AllOK, 1}}},
        {"FoundNumberCountsWithZeroStep",
         {"Rev 9"},
         {},
         {.operation = opIncFirst, .increment = 0},
         {{0, "Rev 9", F::AllOK, 1}}},
        {"SecondNumber",
         {"A1 B2", "A1"},
         {{"A1 B"}, {"A1", "B2"}},
         {.operation = opIncSecond, .increment = 5},
         {{0, "A1 B7", F::AllOK, 1}, {3, "A1 B2", F::SmartEnt, 0}}},
        {"EndNumber",
         {"7 up", "up 7"},
         {},
         {.operation = opIncEnd, .increment = -2},
         {{1, "up 5", F::AllOK, 1}}},
        {"FindOnlyReplaceKeepsCurrentText",
         {"Door", "Window"},
         backDoor,
         {.search = "door", .replace = "Gate", .findOnly = true},
         {{0, "Door", F::FindOnly, 1}, {2, "Back door", F::FindOnlySmartEnt, 0}}},
        {"FindOnlyUpperListsOnlyChangesButEverySmartText",
         {"abc", "ABC"},
         {{"ABC"}},
         {.operation = opUpper, .findOnly = true},
         {{0, "ABC", F::FindOnly, 1}, {2, "ABC", F::FindOnlySmartEnt, 0}}},
        {"NothingFitsIsLenError",
         {a254},
         {},
         {.search = "a", .replace = "abc"},
         {{0, a254, F::LenError, 0}}},
        {"PartlyFittingIsChgdLenError",
         {twoA},
         {},
         {.search = "a", .replace = "abc"},
         {{0, "abc" + Repeat('x', 250) + "a", F::ChgdLenError, 1}}},
        {"FindOnlyLenErrorListsCurrentText",
         {a254},
         {},
         {.search = "a", .replace = "abc", .findOnly = true},
         {{0, a254, F::FindOnly, 0}}},
        {"IncrementTooLongIsLenError",
         {nine255},
         {},
         {.operation = opIncEnd, .increment = 1},
         {{0, nine255, F::LenError, 1}}},
    };
}

class ScanTable : public DrawingTest, public ::testing::WithParamInterface<ScanRow> {};

TEST_P(ScanTable, ListsWhatTheOperationConcerns) {
    const ScanRow& row = GetParam();
    const host::lgl_addr layer = D().AddLayer("Plans");
    // A line never reaches the scan: the mode is narrowed to the text types.
    D().AddEntity(cadhost::MakeLine({0, 0, 0}, {1, 1, 0}), layer);
    std::vector<host::lgl_addr> addrs;
    for (const std::string& t : row.texts)
        addrs.push_back(AddText(layer, t));
    for (const auto& pieces : row.smarts)
        addrs.push_back(AddSmart(layer, pieces));

    const ScanSettings& o = row.settings;
    S().searchStr = host::str255(o.search);
    S().replaceStr = host::str255(o.replace);
    S().caseSens = o.caseSens;
    S().wholeWords = o.wholeWords;
    S().wholeEnts = o.wholeEnts;
    S().operation = o.operation;
    S().increment = o.increment;
    S().findOnly = o.findOnly;

    ScanLayer(layer);

    ASSERT_EQ(Pending().size(), row.expected.size());
    for (std::size_t i = 0; i < row.expected.size(); ++i) {
        SCOPED_TRACE("entry " + std::to_string(i));
        const Expected& want = row.expected[i];
        const PendingChangeType& got = Pending()[i];
        EXPECT_EQ(got.adr, addrs.at(want.entity));
        EXPECT_EQ(got.newstr, want.newstr);
        EXPECT_EQ(got.Flag, want.flag);
        if (want.entity < row.texts.size()) {
            EXPECT_EQ(got.NumChanges, want.numChanges);
        }
        EXPECT_EQ(got.lyrname, "Plans");
        EXPECT_FALSE(got.lyrLocked);
    }
    // The scan never changes the drawing.
    for (std::size_t i = 0; i < row.texts.size(); ++i)
        EXPECT_EQ(TextOf(addrs[i]), row.texts[i]);
}

INSTANTIATE_TEST_SUITE_P(Rows, ScanTable, ::testing::ValuesIn(Rows()),
                         [](const auto& info) { return info.param.name; });

using ScanTest = DrawingTest;

TEST_F(ScanTest, LockedLayerIsRecordedWithItsName) {
    const host::lgl_addr open = D().AddLayer("Open");
    const host::lgl_addr shut = D().AddLayer("Shut", true, true);
    AddText(open, "door");
    AddText(shut, "door");
    AddSmart(shut, {"door"});
    S().searchStr = host::str255("door");
    S().replaceStr = host::str255("gate");

    ScanLayer(open);
    ScanLayer(shut);

    ASSERT_EQ(Pending().size(), 3u);
    EXPECT_EQ(Pending()[0].lyrname, "Open");
    EXPECT_FALSE(Pending()[0].lyrLocked);
    EXPECT_EQ(Pending()[1].lyrname, "Shut");
    EXPECT_TRUE(Pending()[1].lyrLocked);
    EXPECT_EQ(Pending()[2].Flag, F::SmartEnt);
    EXPECT_TRUE(Pending()[2].lyrLocked);
}

TEST_F(ScanTest, AppendsToTheListInTheHostsOrder) {
    const host::lgl_addr layer = D().AddLayer("Plans");
    const host::lgl_addr first = AddText(layer, "a1");
    const host::lgl_addr second = AddText(layer, "a2");
    Pending().push_back(Entry({2, 99}, "kept", F::AllOK));
    S().searchStr = host::str255("a");
    S().replaceStr = host::str255("b");

    // A selection is walked in the order the user picked the entities.
    host::ModeRec mode;
    host::Host().mode_init(&mode);
    cadhost::SetModeSelection(mode, D().CreateSelection({second, first}));
    ScanEntities(mode);

    ASSERT_EQ(Pending().size(), 3u);
    EXPECT_EQ(Pending()[0].newstr, "kept");
    EXPECT_EQ(Pending()[1].adr, second);
    EXPECT_EQ(Pending()[1].newstr, "b2");
    EXPECT_EQ(Pending()[2].adr, first);
}

TEST_F(ScanTest, SmartTextPiecesAreJoinedWithOneSpace) {
    const host::lgl_addr layer = D().AddLayer("Plans");
    AddSmart(layer, {"North", "wing", "door"});
    S().searchStr = host::str255("wing door");
    S().replaceStr = host::str255("x");

    ScanLayer(layer);

    ASSERT_EQ(Pending().size(), 1u);
    EXPECT_EQ(Pending()[0].newstr, "North wing door");
}

TEST_F(ScanTest, SmartTextLongerThanAnEntityTextIsKeptWhole) {
    const host::lgl_addr layer = D().AddLayer("Plans");
    const std::string piece = Repeat('x', 200);
    AddSmart(layer, {piece, piece, "door"});
    S().searchStr = host::str255("door");
    S().replaceStr = host::str255("gate");
    S().wholeWords = true;

    ScanLayer(layer);

    ASSERT_EQ(Pending().size(), 1u);
    EXPECT_EQ(Pending()[0].newstr, piece + " " + piece + " door");
}

} // namespace
} // namespace qx::test
