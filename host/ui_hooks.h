// Optional hooks a host may export under the name `kUiHooksExportName`. When present, the
// macro's platform layer hands message boxes, beeps, modal dialogs, document opening and
// synthetic key strokes to the host instead of the desktop. The stand-in host uses them to run
// scripted scenarios; a host without them gets the real desktop behaviour.
//
// Texts cross this boundary as UTF-8.
#pragma once

#include <cstdint>

namespace qx::host {

enum class BoxKind : std::int32_t { Error = 0, Information = 1, Warning = 2, Confirmation = 3 };
enum class BoxAnswer : std::int32_t { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

struct UiHooks {
    // Shows a message box and returns the button pressed. Confirmation boxes have Yes and No.
    BoxAnswer (*messageBox)(BoxKind kind, const char* caption, const char* text, bool defaultNo);
    // The default beep.
    void (*beep)();
    // Runs a modal dialog and returns its result code. The dialog is a QDialog* in the Qt view;
    // in the native Windows view it is the dialog's HWND, shown and ready for input, whose
    // controls are found and whose end is seen as host/automation_contract.h describes.
    std::int32_t (*runModal)(void* dialog);
    // Opens a document with the desktop's default application; true when it was handed over.
    bool (*openDocument)(const char* path);
    // Delivers a key stroke (a host key code such as 315 for F1) to the host's window.
    void (*sendKey)(std::int32_t keyCode);
};

inline constexpr const char* kUiHooksExportName = "cadhost_ui_hooks";
using UiHooksGetter_fn = const UiHooks* (*)();

} // namespace qx::host
