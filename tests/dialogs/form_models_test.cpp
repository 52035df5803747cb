// The toolkit-free form models: their rules, filling from the state record, tab chains, key
// filter and tables, with no toolkit in the program.
#include "dialogs/container_fit.h"
#include "dialogs/form/control_access.h"
#include "dialogs/form/key_filter.h"
#include "dialogs/form/layers_form.h"
#include "dialogs/form/replace_text_form.h"
#include "dialogs/form/report_form.h"
#include "dialogs/form/review_forms_content.h"
#include "dialogs/form/selset_form.h"
#include "state/quillex_state.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace qx::form {
namespace {

// Every control named once, the window's row first, a parent before its children, and every
// rectangle inside its parent's client area; lists have entries, and the tab chain names
// controls of the table that can hold the focus.
void ExpectSaneTable(ControlTable table, TabOrder tabs) {
    ASSERT_FALSE(table.empty());
    EXPECT_EQ(table.front().kind, Kind::Window);
    EXPECT_TRUE(table.front().parent.empty());
    std::set<std::string_view> seen;
    for (const ControlSpec& row : table) {
        SCOPED_TRACE(std::string(row.name));
        EXPECT_TRUE(seen.insert(row.name).second) << "named twice";
        if (&row == &table.front())
            continue;
        EXPECT_NE(row.kind, Kind::Window);
        const auto parent = std::ranges::find(table, row.parent, &ControlSpec::name);
        ASSERT_NE(parent, table.end()) << "no parent " << row.parent;
        EXPECT_TRUE(seen.contains(row.parent)) << "parent after child";
        Rect rect = row.rect;
        // A label without a size takes its caption's, and a wrapping label's height follows
        // its width; only what is designed is checked.
        if (row.kind == Kind::Label && rect.width == 0 && rect.height == 0)
            rect = {rect.x, rect.y, 1, 1};
        if (row.kind == Kind::WrapLabel && rect.height == 0)
            rect.height = 1;
        EXPECT_GT(rect.width, 0);
        EXPECT_GT(rect.height, 0);
        EXPECT_TRUE(parent->rect.HoldsInClientArea(rect)) << "outside " << parent->name;
        if (row.kind == Kind::DropDownList) {
            EXPECT_FALSE(row.items.empty()) << "a drop-down list offers entries";
        }
    }
    for (const std::string_view stop : tabs) {
        const auto row = std::ranges::find(table, stop, &ControlSpec::name);
        ASSERT_NE(row, table.end()) << "tab stop " << stop << " is not in the table";
        EXPECT_NE(row->kind, Kind::Label);
        EXPECT_NE(row->kind, Kind::GroupBox);
    }
}

TEST(ControlTables, ReplaceTextTableIsSane) {
    const TfmReplaceText form;
    ExpectSaneTable(form.Table(), form.Tabs());
    EXPECT_EQ(form.Table().front().name, "fmReplaceText");
    EXPECT_EQ(form.Table().front().rect, (Rect{0, 0, 434, 270}));
}

TEST(ControlTables, EveryWindowsTableIsSane) {
    const struct {
        const char* window;
        ControlTable table;
        TabOrder tabs;
    } windows[] = {{"fmLayers", TfmLayers().Table(), TfmLayers().Tabs()},
                   {"fmSelSet", TfmSelSet::Table(), TfmSelSet::Tabs()},
                   {"fmReport", TfmReport::Table(), TfmReport::Tabs()},
                   {"fmEditText", TfmEditText::Table(), TfmEditText::Tabs()},
                   {"fmConfirm", TfmConfirm::Table(), TfmConfirm::Tabs()},
                   {"fmFoundText", TfmFoundText::Table(), {}}};
    for (const auto& window : windows) {
        SCOPED_TRACE(window.window);
        ExpectSaneTable(window.table, window.tabs);
    }
}

TEST(ControlTables, ABrokenTableIsCaught) {
    // The checker itself must fail on a child placed outside its parent.
    static constexpr ControlSpec kBroken[] = {
        {"fmX", Kind::Window, "", {0, 0, 100, 100}, "X"},
        {"btn", Kind::Button, "fmX", {90, 90, 20, 20}, "B"},
    };
    EXPECT_FALSE(kBroken[0].rect.HoldsInClientArea(kBroken[1].rect));
}

class ReplaceTextModel : public ::testing::Test {
protected:
    ReplaceTextModel() : record(std::make_unique<QuillexL>()) {}
    std::unique_ptr<QuillexL> record;
    TfmReplaceText form;
};

TEST_F(ReplaceTextModel, FillingShowsTextsAsUtf8AndTheOperationsOption) {
    record->searchStr = host::str255("caf\xE9");
    record->replaceStr = host::str255("\x80 5");
    record->caseSens = true;
    record->operation = opLower;
    record->lastInc = 3;
    record->increment = -4;
    form.FillFrom(*record);
    EXPECT_EQ(form.eOldText, "caf\xC3\xA9");
    EXPECT_EQ(form.eNewText, "\xE2\x82\xAC 5");
    EXPECT_TRUE(form.chbCase);
    EXPECT_FALSE(form.chbWord);
    EXPECT_EQ(form.option, ReplaceOption::ChangeCase);
    EXPECT_EQ(form.cbCaseOptions, 1);
    EXPECT_EQ(form.cbIncOptions, 3);
    EXPECT_EQ(form.seIncrement, -4);
    EXPECT_FALSE(form.populating);
    // Filling picks an option without taking it out of the chain; only "Text:" leaves it.
    EXPECT_TRUE(form.IsTabStop("rbChangeCase"));
    EXPECT_TRUE(form.IsTabStop("rbText"));
}

TEST_F(ReplaceTextModel, ReplacingTakesTextOutOfTheChainAndKeepsInRangeEntriesOnly) {
    record->operation = opReplace;
    record->lastCase = 7;
    record->lastInc = -1;
    form.FillFrom(*record);
    EXPECT_EQ(form.option, ReplaceOption::Text);
    EXPECT_FALSE(form.IsTabStop("rbText"));
    EXPECT_EQ(form.cbCaseOptions, 0);
    EXPECT_EQ(form.cbIncOptions, 0);
}

TEST_F(ReplaceTextModel, AStoredZeroIncrementShowsOne) {
    record->increment = 0;
    form.FillFrom(*record);
    EXPECT_EQ(form.seIncrement, 1);
    EXPECT_EQ(form.PrevIncValue, 1);
}

TEST_F(ReplaceTextModel, ZeroTakesTheOppositeSignOfTheValueBefore) {
    form.FillFrom(*record);
    EXPECT_EQ(form.IncrementUsed(5), 5);
    EXPECT_EQ(form.IncrementUsed(0), -1);
    EXPECT_EQ(form.IncrementUsed(0), 1);
    EXPECT_EQ(form.IncrementUsed(-3), -3);
    EXPECT_EQ(form.IncrementUsed(0), 1);
}

TEST_F(ReplaceTextModel, UsingAValueChoosesItsOptionAndTakesItOutOfTheChain) {
    form.FillFrom(*record);
    form.CaseOptionsUsed();
    EXPECT_EQ(form.option, ReplaceOption::ChangeCase);
    EXPECT_FALSE(form.IsTabStop("rbChangeCase"));
    EXPECT_TRUE(form.IsTabStop("rbIncrement"));
    form.IncrementUsed(3);
    EXPECT_EQ(form.option, ReplaceOption::Increment);
    EXPECT_FALSE(form.IsTabStop("rbIncrement"));
    form.NewTextUsed();
    EXPECT_EQ(form.option, ReplaceOption::Text);
    // Out for good: choosing another option never puts a button back.
    EXPECT_FALSE(form.IsTabStop("rbChangeCase"));
    EXPECT_TRUE(form.IsTabStop("cbCaseOptions"));
    EXPECT_FALSE(form.IsTabStop("chbCase")) << "check boxes are never stops";
}

TEST_F(ReplaceTextModel, WhilePopulatingOnlyTheZeroRuleRuns) {
    form.FillFrom(*record);
    form.populating = true;
    form.CaseOptionsUsed();
    form.IncOptionsUsed();
    EXPECT_EQ(form.IncrementUsed(0), -1);
    EXPECT_EQ(form.option, ReplaceOption::Text);
    EXPECT_TRUE(form.IsTabStop("rbChangeCase"));
}

TEST_F(ReplaceTextModel, StartFieldNamesTheFocusAndChoosesItsOption) {
    form.FillFrom(*record);
    const struct {
        StartField field;
        std::string_view focus;
        ReplaceOption chosen;
    } rows[] = {{StartField::FirstTabStop, "eOldText", ReplaceOption::Text},
                {StartField::SearchText, "eOldText", ReplaceOption::Text},
                {StartField::ReplaceText, "eNewText", ReplaceOption::Text},
                {StartField::ChangeCase, "cbCaseOptions", ReplaceOption::ChangeCase},
                {StartField::Increment, "cbIncOptions", ReplaceOption::Increment},
                {static_cast<StartField>(7), "eOldText", ReplaceOption::Text}};
    for (const auto& row : rows) {
        TfmReplaceText shown = form;
        shown.startField = row.field;
        shown.ShowStartField();
        EXPECT_EQ(shown.StartControl(), row.focus) << static_cast<int>(row.field);
        EXPECT_EQ(shown.option, row.chosen) << static_cast<int>(row.field);
    }
}

TEST(LayersModel, TheGridComesFirstInTheChain) {
    TfmLayers form;
    EXPECT_EQ(form.Tabs().front(), "sgLayers");
    EXPECT_EQ(form.StartControl(), "sgLayers");
    form.LayerDetails = {{{1, 1}, "A", true, false, true, true},
                         {{1, 2}, "B", true, false, false, false},
                         {{1, 3}, "C", false, true, false, true}};
    const std::vector<host::lgl_addr> chosen = form.ChosenLayers();
    ASSERT_EQ(chosen.size(), 2U);
    EXPECT_EQ(chosen[0], (host::lgl_addr{1, 1}));
    EXPECT_EQ(chosen[1], (host::lgl_addr{1, 3}));
}

struct KeyRow {
    const char* name;
    std::u32string typed;
    Modifiers held;
    KeyVerdict verdict;
};

class IncrementKeyFilter : public ::testing::TestWithParam<KeyRow> {};

TEST_P(IncrementKeyFilter, DecidesAsAUserExpects) {
    const KeyRow& row = GetParam();
    EXPECT_EQ(TfmReplaceText::FilterIncrementKey({row.typed, row.held}, U','), row.verdict);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, IncrementKeyFilter,
    ::testing::Values(KeyRow{"Digit", U"7", kNoModifier, KeyVerdict::Pass},
                      KeyRow{"Signs", U"+-", kNoModifier, KeyVerdict::Pass},
                      KeyRow{"DecimalSeparator", U",", kNoModifier, KeyVerdict::Pass},
                      KeyRow{"OtherSeparator", U".", kNoModifier, KeyVerdict::Refuse},
                      KeyRow{"Letter", U"a", kNoModifier, KeyVerdict::Refuse},
                      KeyRow{"Space", U" ", kNoModifier, KeyVerdict::Refuse},
                      KeyRow{"ShiftLetter", U"A", kShift, KeyVerdict::Refuse},
                      KeyRow{"NoText", U"", kNoModifier, KeyVerdict::Pass},
                      KeyRow{"Backspace", U"\b", kNoModifier, KeyVerdict::Pass},
                      KeyRow{"CtrlAWithItsLetter", U"a", kCtrl, KeyVerdict::Pass},
                      KeyRow{"CtrlShiftZ", U"Z", kCtrl | kShift, KeyVerdict::Pass},
                      KeyRow{"AltLetter", U"x", kAlt, KeyVerdict::LeaveToWindow},
                      KeyRow{"CtrlAltLetter", U"q", kCtrl | kAlt, KeyVerdict::LeaveToWindow},
                      KeyRow{"AltDigitStillTypes", U"5", kAlt, KeyVerdict::Pass}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ConfirmModel, AnEditedTextIsStoredAsTheCodePageHoldsIt) {
    std::string proposed = "gate";
    bool edited = false;
    TfmConfirm form;
    form.lblNewTxt = "gate";
    form.lblMaxLengthVisible = true;
    form.pNewStr = &proposed;
    form.pManualEditMade = &edited;

    form.EditAccepted("gate");
    EXPECT_FALSE(edited) << "the same text is no edit";
    EXPECT_TRUE(form.lblMaxLengthVisible);

    form.EditAccepted(
        "\xE2\x82\xAC \xE2\x98\x83"); // the euro sign is in the code page, a snowman not
    EXPECT_TRUE(edited);
    EXPECT_FALSE(form.lblMaxLengthVisible);
    EXPECT_EQ(proposed, "\x80 ?");
    EXPECT_EQ(form.lblNewTxt, "\xE2\x82\xAC ?");
}

TEST(SelSetModel, HeadingPreselectionAndOk) {
    auto record = std::make_unique<QuillexL>();
    TfmSelSet form;
    form.FillFrom(*record, 3);
    EXPECT_EQ(form.Label1, "Matches were found in 3 PText/MText entities.");
    EXPECT_TRUE(form.title.empty());
    EXPECT_EQ(form.lbSelSets, -1);
    EXPECT_FALSE(form.chbAppend);

    record->lastSelSet = 4;
    record->confirmEach = true;
    TfmSelSet review;
    review.FillFrom(*record, 1);
    EXPECT_EQ(review.Label1, "This is a Smart Entity (PText or MText)");
    EXPECT_EQ(review.title, "Macro cannot update this entity");
    EXPECT_EQ(review.lbSelSets, 3);
    EXPECT_TRUE(review.chbAppend);
    EXPECT_FALSE(review.btnOKEnabled) << "a preselection must be confirmed";
    review.RowChosen(3);
    EXPECT_TRUE(review.btnOKEnabled);
    review.RowChosen(8);
    EXPECT_EQ(review.lbSelSets, 3);
}

TEST(ContainerFit, TextsThatFitLeaveTheDesignAsDrawn) {
    fit::ControlToFit label;
    label.design = {8, 8, 100, 17};
    label.paints = fit::Paints::TextOnly;
    label.least = {60, 15};
    fit::ControlToFit field;
    field.design = {8, 30, 200, 23};
    field.anchors = kLeft | kTop | kRight;
    const fit::FittedContainer fitted = fit::FitContainer({{220, 60}, 0, 0, 0}, {label, field});
    EXPECT_EQ(fitted.size, (fit::Size{220, 60}));
    ASSERT_EQ(fitted.places.size(), 2U);
    EXPECT_EQ(fitted.places[0], label.design);
    EXPECT_EQ(fitted.places[1], field.design);
}

TEST(ContainerFit, ButtonsDrawnAlikeGrowAlikeAndTheContainerWithThem) {
    fit::ControlToFit cancel;
    cancel.design = {100, 10, 75, 25};
    cancel.isButton = true;
    cancel.least = {60, 20};
    fit::ControlToFit ok = cancel;
    ok.design.x = 185;
    ok.least = {95, 20};
    fit::ControlToFit wrapped;
    wrapped.design = {8, 40, 260, 17};
    wrapped.paints = fit::Paints::TextOnly;
    wrapped.heightForWidth = [](int width) { return width >= 260 ? 34 : 51; };
    const fit::FittedContainer fitted =
        fit::FitContainer({{270, 60}, 0, 0, 0}, {cancel, ok, wrapped});
    ASSERT_EQ(fitted.places.size(), 3U);
    EXPECT_EQ(fitted.places[0].width, 95) << "Cancel grows with OK";
    EXPECT_EQ(fitted.places[1].width, 95);
    EXPECT_GE(fitted.places[1].x, fitted.places[0].Right()) << "OK is pushed, not overlapped";
    EXPECT_GE(fitted.size.width, fitted.places[1].Right());
    EXPECT_EQ(fitted.places[2].height, 34) << "the label's height follows its width";
    EXPECT_GE(fitted.size.height, fitted.places[2].Bottom());
}

TEST(ControlAccessKeys, NamesAreTheScenarioNames) {
    EXPECT_EQ(KeyNamed("PageDown"), Key::PageDown);
    EXPECT_EQ(KeyNamed("Enter"), Key::Enter);
    EXPECT_EQ(KeyNamed("enter"), std::nullopt);
    EXPECT_EQ(KeyNamed(""), std::nullopt);
}

} // namespace
} // namespace qx::form
