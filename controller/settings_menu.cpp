// The settings menu, and the highlight colour and weight prompts that the review and browsing
// menus reach with the same keys.
#include "controller/host_calls.h"
#include "controller/states.h"
#include "host/res_layout.h"
#include "settings/settings_keys.h"

#include <string>

namespace qx {
namespace {

using host::KeyF;
using host::KeyS;
using settings::SaveBool;
using settings::SaveInt;
using settings::SettingKey;

constexpr std::size_t kColourNameMax = 80;

void Flip(bool& option, SettingKey key) {
    option = !option;
    SaveBool(key, option);
}

} // namespace

void SetHiliteLabels(std::int32_t position) {
    const QuillexL& s = State();
    host::str255 name;
    host::Host().ClrGetName(s.hiliteClr, &name, 255);
    const std::string colour(name.view().substr(0, kColourNameMax));
    call::Lblset(position, "Hilite Clr",
                 "Set the Colour of the Hilite Box drawn around selected entities (Currently " +
                     colour + ")");
    host::str255 weight;
    host::Host().cvintst(s.hiliteWgt, &weight, 255);
    call::Lblset(position + 1, "Hilite Wgt",
                 "Set the Weight of the Hilite Box drawn around selected entities (Currently " +
                     weight.str() + ")");
}

void SettingsMenuSetup(QuillexL& s, std::int32_t* ret) {
    call::wrtlvl("Quillex Settings");
    call::wrtmsg("");
    call::wrterr("");
    call::Lblsinit();
    call::Lblsett(1, "Get Txt At Start", s.txtAtStart,
                  "Prompt for old/new text values when macro starts");
    call::Lblsett(2, "Dflt Previous", s.dfltPrevTxt,
                  "Default to previous settings when macro starts");
    call::Lblsett(3, "Use Form", s.useForm, "Use form to enter old/new text values");
    call::Lblsett(5, "Draw Off Lyr", s.drawOffLyr, "Draw updated entities on OFF layers");
    call::Lblsett(10, "Show Chng Rpt", s.rptChanges,
                  "Automatically show report of text changes made");
    if (s.reportLines && !s.reportLines->empty())
        call::Lblset(11, "Last Chg Rpt",
                     "Show report of most recent text changes made by this macro");
    SetHiliteLabels(13);
    call::Lblsett(18, "Confirm Each", s.confirmEach, "Confirm each replacement");
    call::Lblset(20, "Back", "Return to main Quillex menu");
    call::lblson();
    host::Host().getesc(s.res, ret);
}

void SettingsMenuInput(QuillexL& s) {
    const std::int32_t key = host::Res(s.res).escKey();
    if (key == KeyF(1)) {
        Flip(s.txtAtStart, SettingKey::TxtAtStart);
    } else if (key == KeyF(2)) {
        Flip(s.dfltPrevTxt, SettingKey::DfltPrevTxt);
    } else if (key == KeyF(3)) {
        Flip(s.useForm, SettingKey::UseForm);
    } else if (key == KeyF(5)) {
        Flip(s.drawOffLyr, SettingKey::DrwOffLyr);
    } else if (key == KeyF(10)) {
        Flip(s.rptChanges, SettingKey::RptChanges);
    } else if (key == KeyS(1)) {
        s.state = stReport;
    } else if (key == KeyS(3)) {
        s.returnState = stSettings;
        s.state = stHiliteClr;
    } else if (key == KeyS(4)) {
        s.returnState = stSettings;
        s.state = stHiliteWgt;
    } else if (key == KeyS(8)) {
        Flip(s.confirmEach, SettingKey::ConfirmEach);
    } else if (key == KeyS(0)) {
        s.state = stMainMenu;
    }
}

void HiliteColourSetup(QuillexL& s, std::int32_t* ret) {
    call::wrtmsg("Select Colour for Hilite Box");
    host::Host().getclr(&s.hiliteClr, s.res, ret);
}

void HiliteColourInput(QuillexL& s) {
    s.state = s.returnState;
    SaveInt(SettingKey::HlBoxClr, s.hiliteClr);
}

void HiliteWeightSetup(QuillexL& s, std::int32_t* ret) {
    call::wrtmsg("Select Weight for Hilite Box");
    host::Host().getint(&s.hiliteWgt, s.res, ret);
}

void HiliteWeightInput(QuillexL& s) {
    s.state = s.returnState;
    SaveInt(SettingKey::HlBoxWt, s.hiliteWgt);
}

} // namespace qx
