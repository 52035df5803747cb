// The native view's control access (dialogs/form/control_access.h), for a host's automation in
// another module than the view: it knows the view's windows only as HWNDs that carry their
// names (host/automation_contract.h), and uses them through window messages as a user's mouse
// and keyboard would. The open windows are the visible named top-level windows of the calling
// thread, which is the thread the macro's windows live on.
#pragma once

#include "dialogs/form/control_access.h"

#include <windows.h>

#include <string>
#include <vector>

namespace qx::win32 {

class Win32ControlAccess final : public form::ControlAccess {
public:
    std::vector<std::string> OpenWindows() const override;
    std::unique_ptr<form::Control> Find(std::string_view window,
                                        std::string_view control) const override;
};

// The name a window or control of the macro carries, empty for any other window.
std::string AutomationName(HWND window);

// The visible top-level window of this thread named `name`, or nullptr.
HWND OpenWindowNamed(std::string_view name);
// The control named `control` of the open window `window` (the window itself for its own name),
// or nullptr.
HWND NamedControl(std::string_view window, std::string_view control);
// The visible labels inside a scroll box, from top to bottom: its rows as the user reads them.
std::vector<HWND> ScrollBoxRows(HWND box);

// How a control's text, or a grid row's, is painted: the colour and font the view hands to the
// painting (the colour message a control sends its parent, the control's font, the grid's
// custom draw of the row).
struct PaintedLook {
    COLORREF colour = 0;
    LOGFONTW font{};
};
PaintedLook LookOfControl(HWND control);
PaintedLook LookOfGridRow(HWND grid, int row);
// The hint shown when the pointer rests on the control: the text a tooltip of this thread
// holds for it as a tool of its own window (TTF_IDISHWND); empty when it has none.
std::string HintOf(HWND control);

// Handles the messages waiting for this thread's windows, as the modal loop of the view does
// (dialog navigation included), and returns when none is left.
void PumpMessages();

} // namespace qx::win32
