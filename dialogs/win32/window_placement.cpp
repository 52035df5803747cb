#include "dialogs/win32/window_placement.h"

#include <algorithm>

namespace qx::win32 {
namespace {

form::Rect ToRect(const RECT& r) {
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM areas) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info))
        reinterpret_cast<std::vector<form::Rect>*>(areas)->push_back(ToRect(info.rcWork));
    return TRUE;
}

class NativePlacedWindow final : public settings::PlacedWindow {
public:
    explicit NativePlacedWindow(HWND window) : window_(window) {
        GetWindowRect(window_, &designed_);
    }

    std::string Name() const override {
        const FormWindow* form = FormWindow::FromHandle(window_);
        return form != nullptr ? std::string(form->Name()) : std::string{};
    }
    // The frame's position on the desktop and the client area's size.
    form::Rect Place() const override {
        RECT outer{};
        RECT client{};
        GetWindowRect(window_, &outer);
        GetClientRect(window_, &client);
        return {outer.left, outer.top, client.right, client.bottom};
    }
    void MoveTo(int left, int top) override {
        SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    void ResizeTo(int width, int height) override {
        RECT outer{};
        RECT client{};
        GetWindowRect(window_, &outer);
        GetClientRect(window_, &client);
        const int frameWidth = (outer.right - outer.left) - client.right;
        const int frameHeight = (outer.bottom - outer.top) - client.bottom;
        // The window's least and greatest sizes (WM_GETMINMAXINFO) apply to a programmed size
        // too, as they do to the user's dragging.
        MINMAXINFO limits{};
        limits.ptMaxTrackSize = {GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
        SendMessageW(window_, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
        const int outerWidth = std::clamp(
            width + frameWidth, static_cast<int>(limits.ptMinTrackSize.x),
            static_cast<int>(std::max(limits.ptMinTrackSize.x, limits.ptMaxTrackSize.x)));
        const int outerHeight = std::clamp(
            height + frameHeight, static_cast<int>(limits.ptMinTrackSize.y),
            static_cast<int>(std::max(limits.ptMinTrackSize.y, limits.ptMaxTrackSize.y)));
        SetWindowPos(window_, nullptr, 0, 0, outerWidth, outerHeight,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    form::Rect Frame() const override {
        RECT outer{};
        GetWindowRect(window_, &outer);
        return ToRect(outer);
    }
    bool IsTopLevel() const override {
        return (GetWindowLongPtrW(window_, GWL_STYLE) & WS_CHILD) == 0;
    }
    std::vector<form::Rect> Screens() const override {
        std::vector<form::Rect> areas;
        EnumDisplayMonitors(nullptr, nullptr, &AddWorkArea, reinterpret_cast<LPARAM>(&areas));
        return areas;
    }
    void ReturnToDesignedPlace() override {
        SetWindowPos(window_, nullptr, designed_.left, designed_.top,
                     designed_.right - designed_.left, designed_.bottom - designed_.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }

private:
    HWND window_;
    RECT designed_{};
};

// Centred over the owner's window, or over the work area of the screen it would be on.
void Centre(HWND window, HWND owner) {
    RECT outer{};
    GetWindowRect(window, &outer);
    RECT area{};
    HWND top = owner != nullptr ? GetAncestor(owner, GA_ROOT) : nullptr;
    if (top != nullptr && IsWindowVisible(top) && !IsIconic(top)) {
        GetWindowRect(top, &area);
    } else {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &info);
        area = info.rcWork;
    }
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    const int left = area.left + ((area.right - area.left) - width) / 2;
    const int top_ = area.top + ((area.bottom - area.top) - height) / 2;
    SetWindowPos(window, nullptr, left, std::max(top_, static_cast<int>(area.top)), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

void RestoreWindowPlace(FormWindow& window, HWND owner, settings::PlacementFile file) {
    if (window.Handle() == nullptr)
        return;
    Centre(window.Handle(), owner);
    NativePlacedWindow placed(window.Handle());
    settings::RestoreFormPos(placed, file);
}

void SaveWindowPlace(const FormWindow& window, settings::PlacementFile file) {
    if (window.Handle() == nullptr)
        return;
    const NativePlacedWindow placed(window.Handle());
    settings::SaveFormPos(placed, file);
}

} // namespace qx::win32
