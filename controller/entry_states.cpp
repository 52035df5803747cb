// Text and value entry through the host's prompts and small key menus.
#include "controller/host_calls.h"
#include "controller/states.h"
#include "host/res_layout.h"
#include "platform/platform.h"
#include "settings/settings_keys.h"

#include <string>

namespace qx {
namespace {

using host::KeyF;
using host::KeyS;
using settings::SaveInt;
using settings::SaveText;
using settings::SettingKey;

// The text the host's prompt accepted, copied out before the record is written.
std::string AcceptedText(QuillexL& s) {
    const host::Res res(s.res);
    const host::str255* text = res.strAddr();
    if (text == nullptr)
        return {};
    const auto size = static_cast<std::size_t>(std::max<std::int32_t>(0, res.strSize()));
    // The reported size is the number of bytes of the counted text, its length byte included.
    const std::size_t len = std::min<std::size_t>({text->len, size > 0 ? size - 1 : 0, 255});
    return std::string(text->text, len);
}

void SaveOperation(std::uint8_t op) {
    SaveInt(SettingKey::Operation, op);
}

} // namespace

void SearchTextSetup(QuillexL& s, std::int32_t* ret) {
    call::Lblsinit();
    call::wrtlvl("Quillex");
    if (s.state == stStartSearchText)
        call::Lblset(20, "Exit", "Exit the macro");
    else
        call::Lblset(20, "Cancel", "Retain existing search text");
    call::lblson();
    call::wrtmsg("Text to Search For:");
    host::Host().callDGetstr255(&s.searchStr, 255, s.res, ret);
}

void SearchTextInput(QuillexL& s) {
    const host::Res res(s.res);
    if (res.strKind() == host::kResultAccepted) {
        s.searchStr.assign(AcceptedText(s));
        SaveText(SettingKey::SearchStr, s.searchStr.str());
        s.state = s.state == stStartSearchText ? stReplaceText : stMainMenu;
        return;
    }
    if (res.strKey() == KeyS(0)) {
        s.state = s.state == stStartSearchText ? stDone : stMainMenu;
        return;
    }
    platform::Beep();
}

void ReplaceTextSetup(QuillexL& s, std::int32_t* ret) {
    call::Lblsinit();
    call::Lblset(20, "Cancel", "Retain existing Replacement Text");
    call::lblson();
    call::wrtmsg("Replacement Text:");
    host::Host().callDGetstr255(&s.replaceStr, 255, s.res, ret);
}

void ReplaceTextInput(QuillexL& s) {
    const host::Res res(s.res);
    if (res.strKind() == host::kResultAccepted) {
        s.replaceStr.assign(AcceptedText(s));
        SaveText(SettingKey::ReplaceStr, s.replaceStr.str());
        s.state = stMainMenu;
        s.operation = opReplace;
        SaveOperation(s.operation);
        return;
    }
    if (res.strKey() == KeyS(0)) {
        s.state = stMainMenu;
        return;
    }
    platform::Beep();
}

void CaseMenuSetup(QuillexL& s, std::int32_t* ret) {
    call::Lblsinit();
    call::Lblsett(1, "To Upper", s.operation == opUpper,
                  "Convert select matching text to Upper Case");
    call::Lblsett(2, "To Lower", s.operation == opLower,
                  "Convert select matching text to Lower Case");
    call::Lblsett(3, "To Sentence", s.operation == opSentence,
                  "Convert select matching text to Sentence Case");
    call::Lblset(20, "Back", "Return to main Quillex menu");
    call::lblson();
    host::Host().getesc(s.res, ret);
}

void CaseMenuInput(QuillexL& s) {
    const std::int32_t key = host::Res(s.res).escKey();
    if (key >= KeyF(1) && key <= KeyF(3)) {
        s.lastCase = call::FnKeyConv(key) - 1;
        s.operation = static_cast<std::uint8_t>(s.lastCase + opUpper);
        SaveOperation(s.operation);
        SaveInt(SettingKey::LastCase, s.lastCase);
        return;
    }
    if (key == KeyS(0))
        s.state = stMainMenu;
}

void IncMenuSetup(QuillexL& s, std::int32_t* ret) {
    call::Lblsinit();
    call::Lblsett(1, "Inc 1st Num", s.operation == opIncFirst, "Increment First Number in Text");
    call::Lblsett(2, "Inc 2nd Num", s.operation == opIncSecond, "Increment Second Number in Text");
    call::Lblsett(3, "Inc Last Num", s.operation == opIncLast, "Increment Last Number in Text");
    call::Lblsett(4, "Inc Start Num", s.operation == opIncStart,
                  "Increment Number at Start of Text");
    call::Lblsett(5, "Inc End Num", s.operation == opIncEnd, "Increment Number at End of Text");
    call::Lblset(10, "Increment",
                 "Set size of increment (currently " + std::to_string(s.increment) + ")");
    call::Lblset(20, "Back", "Return to main Quillex menu");
    call::lblson();
    host::Host().getesc(s.res, ret);
}

void IncMenuInput(QuillexL& s) {
    const std::int32_t n = call::FnKeyConv(host::Res(s.res).escKey());
    if (n >= 1 && n <= 5) {
        s.lastInc = n - 1;
        s.operation = static_cast<std::uint8_t>(s.lastInc + opIncFirst);
        SaveInt(SettingKey::LastInc, s.lastInc);
        SaveOperation(s.operation);
    } else if (n == 10) {
        s.state = stIncValue;
    } else if (n == 20) {
        s.state = stMainMenu;
    }
}

void IncValueSetup(QuillexL& s, std::int32_t* ret) {
    call::wrtmsg("Enter Increment:");
    host::Host().getint(&s.increment, s.res, ret);
}

void IncValueInput(QuillexL& s) {
    if (s.increment == 0) {
        platform::ErrorBox("Increment cannot be zero");
        return;
    }
    s.state = stIncMenu;
    SaveInt(SettingKey::Increment, s.increment);
    call::wrtmsg("");
}

} // namespace qx
