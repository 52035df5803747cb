// The native Windows view: its windows are HWNDs of this thread that carry their names, a modal
// dialog arrives shown and ends by setting its result property (host/automation_contract.h),
// and its controls are used through window messages (dialogs/win32/control_access_win32.h).
// Colours, fonts and hints are painted by the view's own code and cannot be read from here.
#include "cadhost/scenario/view_automation.h"

#include "dialogs/win32/control_access_win32.h"
#include "host/automation_contract.h"
#include "platform/win32/wide_text.h"

#include <windows.h>

namespace cadhost::scenario {
namespace {

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

    std::optional<std::string> CheckLook(const std::string&, const Step&) const override {
        return std::nullopt;
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
