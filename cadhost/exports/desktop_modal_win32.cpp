// The native view hands its dialog over shown and ready; its own buttons, Enter, Esc and the
// close box set the result property when they end it (host/automation_contract.h), so the host
// only runs the messages until then.
#include "cadhost/exports/desktop_modal.h"

#include "host/automation_contract.h"

#include <windows.h>

namespace cadhost {

int RunModalOnDesktop(HWND__& dialog) {
    const HWND window = &dialog;
    MSG message{};
    while (IsWindow(window) && IsWindowVisible(window) &&
           GetPropW(window, qx::automation::kWin32ResultProperty) == nullptr) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            // A quit belongs to the program's own loop: it is handed back once the dialog ended.
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got < 0)
            break;
        if (IsDialogMessageW(window, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    const HANDLE result =
        IsWindow(window) ? GetPropW(window, qx::automation::kWin32ResultProperty) : nullptr;
    return result != nullptr ? static_cast<int>(reinterpret_cast<INT_PTR>(result))
                             : qx::kResultCancel;
}

} // namespace cadhost
