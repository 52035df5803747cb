// What the key panel shows in each situation: the host's idle menu, the macro's labels, and
// the host's selection tools in the places the macro leaves free at its main menu.
#include "cadhost/window/panel_model.h"

#include "host/host_api.h"

#include <gtest/gtest.h>

namespace {

using cadhost::Label;
using cadhost::RequestKind;
using cadhost::UiState;
using namespace cadhost::window;

Label MacroLabel(const char* text, Label::Call call, bool on = false, int state = 0) {
    return Label{true, text, std::string("hint of ") + text, call, on, state};
}

PanelKeys Panel(const UiState& ui, SelectionTool tool = SelectionTool::Entity, bool mask = false) {
    return BuildPanel({true, &ui, tool, mask});
}

TEST(Panel, WithoutAMacroShowsTheHostsIdleMenu) {
    const PanelKeys keys = BuildPanel({});
    EXPECT_EQ(keys[0].command, HostCommand::StartMacro);
    EXPECT_EQ(keys[0].text, "Quillex");
    EXPECT_EQ(keys[19].command, HostCommand::Quit);
    for (const PanelKey& k : keys)
        EXPECT_NE(k.owner, KeyOwner::Macro);
}

TEST(Panel, ShowsTheMacrosLabelsWithTheirStates) {
    UiState ui;
    ui.labelsOn = true;
    ui.request.kind = RequestKind::Getesc;
    ui.labels[0] = MacroLabel("To Upper", Label::Call::Lblsett, true);
    ui.labels[1] = MacroLabel("To Lower", Label::Call::Lblsett, false);
    ui.labels[8] = MacroLabel("Search For", Label::Call::lblsettf, false, 3);
    ui.labels[12] = MacroLabel("Replace With", Label::Call::lblsettf, false, 2);
    ui.labels[19] = MacroLabel("Back", Label::Call::Lblset);
    ui.labels[19].text = "Back \xE9"; // Windows-1252 e-acute
    const PanelKeys keys = Panel(ui);

    EXPECT_TRUE(keys[0].toggle && keys[0].on);
    EXPECT_TRUE(keys[1].toggle && !keys[1].on);
    EXPECT_TRUE(keys[8].marked);
    EXPECT_FALSE(keys[12].marked);
    EXPECT_EQ(keys[8].hint, "hint of Search For");
    EXPECT_EQ(keys[19].text, "Back \xC3\xA9");
    EXPECT_EQ(keys[19].owner, KeyOwner::Macro);
    // Outside the main menu the host adds nothing.
    EXPECT_EQ(keys[2].owner, KeyOwner::None);
}

TEST(Panel, HidesLabelsTheMacroHasNotTurnedOn) {
    UiState ui;
    ui.labels[0] = MacroLabel("Yes", Label::Call::Lblset);
    ui.request.kind = RequestKind::Getpointp;
    EXPECT_EQ(Panel(ui)[0].owner, KeyOwner::None);
}

TEST(Panel, SelectionToolsFillOnlyTheMainMenusFreePositions) {
    UiState ui;
    ui.labelsOn = true;
    ui.request.kind = RequestKind::MenuGetMode;
    // The macro takes F2; Area gives way there.
    ui.labels[1] = MacroLabel("Mine", Label::Call::Lblset);
    const PanelKeys keys = Panel(ui, SelectionTool::Layer, true);

    EXPECT_EQ(keys[0].command, HostCommand::PickEntity);
    EXPECT_FALSE(keys[0].on);
    EXPECT_EQ(keys[1].owner, KeyOwner::Macro);
    EXPECT_EQ(keys[2].command, HostCommand::PickLayer);
    EXPECT_TRUE(keys[2].toggle && keys[2].on);
    EXPECT_EQ(keys[3].command, HostCommand::PickAll);
    EXPECT_FALSE(keys[3].toggle);
    EXPECT_TRUE(keys[4].on); // the mask restricts
    EXPECT_EQ(keys[19].command, HostCommand::ExitMacro);
}

} // namespace
