// The native Windows view: its windows are HWNDs of this thread that carry their names, a modal
// dialog arrives shown and ends by setting its result property (host/automation_contract.h),
// and its controls are used through window messages (dialogs/win32/control_access_win32.h).
// Colours and fonts are read as the view hands them to the painting (the colour message a
// control sends its parent, the control's font, a grid's custom draw), hints from the tooltips
// of the thread; a grid row's hint cannot be read.
#include "cadhost/scenario/view_automation.h"

#include "cadhost/scenario/look_checks.h"

#include "dialogs/win32/control_access_win32.h"
#include "host/automation_contract.h"
#include "platform/win32/wide_text.h"

#include <windows.h>

#include <commctrl.h>

#include <array>
#include <cstdlib>

namespace cadhost::scenario {
namespace {

bool IsClass(HWND window, const wchar_t* name) {
    std::array<wchar_t, 64> cls{};
    GetClassNameW(window, cls.data(), static_cast<int>(cls.size()));
    return CompareStringOrdinal(cls.data(), -1, name, -1, TRUE) == CSTR_EQUAL;
}

Look LookOf(const qx::win32::PaintedLook& painted, bool visible) {
    Look look;
    look.visible = visible;
    look.colour =
        Rgb{GetRValue(painted.colour), GetGValue(painted.colour), GetBValue(painted.colour)};
    FontStyles styles = kFontPlain;
    if (painted.font.lfWeight >= FW_SEMIBOLD)
        styles |= kFontBold;
    if (painted.font.lfItalic != 0)
        styles |= kFontItalic;
    if (painted.font.lfUnderline != 0)
        styles |= kFontUnderline;
    if (painted.font.lfStrikeOut != 0)
        styles |= kFontStrikeout;
    look.font = styles;
    return look;
}

Look LookOf(HWND control) {
    Look look = LookOf(qx::win32::LookOfControl(control), IsWindowVisible(control) != 0);
    look.hint = qx::win32::HintOf(control);
    return look;
}

class Win32ViewAutomation final : public ViewAutomation {
public:
    const qx::form::ControlAccess& Controls() const override { return access_; }

    std::vector<std::string> WindowsOnShow() const override { return access_.OpenWindows(); }

    void ProcessEvents() override { qx::win32::PumpMessages(); }

    std::string NameOf(HWND__& dialog) const override { return qx::win32::AutomationName(&dialog); }
    std::string TitleOf(HWND__& dialog) const override {
        const int length = GetWindowTextLengthW(&dialog);
        std::wstring title(static_cast<std::size_t>(length) + 1, L'\0');
        title.resize(static_cast<std::size_t>(
            GetWindowTextW(&dialog, title.data(), static_cast<int>(title.size()))));
        return qx::platform::win32::Narrow(title);
    }
    // The view hands its dialog over shown; one that is not is shown as the user would see it.
    void Show(HWND__& dialog) override {
        if (!IsWindowVisible(&dialog))
            ShowWindow(&dialog, SW_SHOW);
    }
    bool IsOpen(HWND__& dialog) const override {
        return IsWindow(&dialog) && IsWindowVisible(&dialog) && !HasResult(dialog);
    }
    // The dialog ends with the code the host's hook answers, which is kClosed for a dialog
    // that did not end itself; nothing needs to be pressed here.
    void Close(HWND__&) override {}
    int ResultOf(HWND__& dialog) const override {
        if (!IsWindow(&dialog) || !HasResult(dialog))
            return kClosed;
        return static_cast<int>(
            reinterpret_cast<INT_PTR>(GetPropW(&dialog, qx::automation::kWin32ResultProperty)));
    }

    // Colours, fonts and hints of a control, and of a row of a grid or a scroll box; the rest
    // is read through the controls.
    std::optional<std::string> CheckLook(const std::string& window,
                                         const Step& action) const override {
        if (action.words.size() < 3)
            return std::nullopt;
        const HWND control = qx::win32::NamedControl(window, action.words[1]);
        if (control == nullptr)
            return std::nullopt;
        const std::string& what = action.words[2];
        if (what == "colour" || what == "font" || what == "hint")
            return scenario::CheckLook(LookOf(control), action, 2, action.words[1]);
        if (what != "row" || action.words.size() < 5)
            return std::nullopt;
        const std::string& rowCheck = action.words[4];
        if (rowCheck != "colour" && rowCheck != "font" && rowCheck != "hint")
            return std::nullopt;
        const int row = std::atoi(action.words[3].c_str());
        const std::string name = action.words[1] + " row " + action.words[3];
        if (IsClass(control, WC_LISTVIEWW)) {
            const int rows = static_cast<int>(SendMessageW(control, LVM_GETITEMCOUNT, 0, 0));
            if (row < 0 || row >= rows)
                return action.words[1] + " has no row " + action.words[3] + " (it has " +
                       std::to_string(rows) + ")";
            return scenario::CheckLook(LookOf(qx::win32::LookOfGridRow(control, row), true), action,
                                       4, name);
        }
        const auto labels = qx::win32::ScrollBoxRows(control);
        if (row < 0 || row >= static_cast<int>(labels.size()))
            return action.words[1] + " has no row " + action.words[3] + " (it has " +
                   std::to_string(labels.size()) + ")";
        return scenario::CheckLook(LookOf(labels[static_cast<std::size_t>(row)]), action, 4, name);
    }

private:
    static bool HasResult(HWND__& dialog) {
        return GetPropW(&dialog, qx::automation::kWin32ResultProperty) != nullptr;
    }

    qx::win32::Win32ControlAccess access_;
};

} // namespace

ViewAutomation& TheViewAutomation() {
    static Win32ViewAutomation view;
    return view;
}

} // namespace cadhost::scenario
