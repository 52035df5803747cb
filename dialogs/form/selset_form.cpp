#include "dialogs/form/selset_form.h"

#include "state/quillex_state.h"

namespace qx::form {
namespace {

constexpr int kSetCount = 8;

constexpr ControlSpec kTable[] = {
    {"fmSelSet", Kind::Window, "", {0, 0, 365, 186}, "Matching PText/MText entities found"},
    {"Label1",
     Kind::WrapLabel,
     "fmSelSet",
     {8, 8, 346, 17},
     "Matches were found in PText/MText entities"},
    {"Label2",
     Kind::WrapLabel,
     "fmSelSet",
     {104, 32, 250, 113},
     "These entities cannot be updated by this macro, but it can add them to a Selection Set "
     "to facilitate subsequent manual updates. Select the required set if you would like to do "
     "this (the selected set will be renamed 'Quillset' and become the active set)."},
    {"lbSelSets", Kind::ListBox, "fmSelSet", {8, 32, 90, 131}, ""},
    {"chbAppend", Kind::CheckBox, "fmSelSet", {8, 165, 97, 16}, "Append"},
    {"btnOK", Kind::Button, "fmSelSet", {259, 157, 95, 25}, "OK", kNearEdges, {}, 0, Role::Default},
    {"btnCancel",
     Kind::Button,
     "fmSelSet",
     {178, 157, 75, 25},
     "Cancel",
     kNearEdges,
     {},
     0,
     Role::Cancel},
};

constexpr std::string_view kTabs[] = {"btnOK", "lbSelSets", "btnCancel", "chbAppend"};

} // namespace

void TfmSelSet::FillFrom(const QuillexL& state, int entityCount) {
    if (state.confirmEach && !state.skipConfirm) {
        Label1 = "This is a Smart Entity (PText or MText)";
        title = "Macro cannot update this entity";
    } else if (entityCount == 1) {
        Label1 = "A match was found in a PText/MText entity.";
    } else {
        Label1 = "Matches were found in " + std::to_string(entityCount) + " PText/MText entities.";
    }
    const std::int32_t last = state.lastSelSet;
    if (last > 0 && last <= kSetCount) {
        lbSelSets = last - 1;
        chbAppend = true;
    }
    btnOKEnabled = false;
}

void TfmSelSet::RowChosen(int row) {
    if (row < 0 || row >= kSetCount)
        return;
    lbSelSets = row;
    btnOKEnabled = true;
}

ControlTable TfmSelSet::Table() {
    return kTable;
}

TabOrder TfmSelSet::Tabs() {
    return kTabs;
}

} // namespace qx::form
