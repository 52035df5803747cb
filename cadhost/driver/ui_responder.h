// The host's side of the macro's message boxes, beeps, modal dialogs, documents and synthetic
// key strokes. The host exports one set of hooks; they hand each event to the responder of the
// moment: the scenario runner answers from its script, the window shows the real thing, a batch
// run answers from its options.
#pragma once

#include "host/ui_hooks.h"

#include <cstdint>
#include <string>

// A modal dialog as the macro's view hands it over: a QDialog of the Qt view, or the window
// (HWND) of the native Windows view.
#if defined(_WIN32)
struct HWND__;
namespace cadhost {
using ModalDialog = HWND__;
}
#else
class QDialog;
namespace cadhost {
using ModalDialog = QDialog;
}
#endif

namespace cadhost {

class UiResponder {
public:
    virtual ~UiResponder() = default;
    // Texts are UTF-8.
    virtual qx::host::BoxAnswer ShowMessageBox(qx::host::BoxKind kind, const std::string& caption,
                                               const std::string& text, bool defaultNo) = 0;
    virtual void Beep() = 0;
    // Runs the dialog to its end and returns its result code.
    virtual int RunModal(ModalDialog& dialog) = 0;
    // True when the document was handed to an application.
    virtual bool OpenDocument(const std::string& path) = 0;
    // A key stroke a window of the macro sends to the host's window, as if typed.
    virtual void SendKey(std::int32_t key) = 0;
};

// The responder that takes the events from now on, or none. Without one, message boxes are
// written to the standard error and get their default answer, dialogs run for real, beeps and
// key strokes are dropped and no document opens.
void SetUiResponder(UiResponder* responder);
UiResponder* CurrentUiResponder();

// Installs a responder for as long as it lives, and puts the previous one back after.
class ScopedUiResponder {
public:
    explicit ScopedUiResponder(UiResponder& responder);
    ~ScopedUiResponder();
    ScopedUiResponder(const ScopedUiResponder&) = delete;
    ScopedUiResponder& operator=(const ScopedUiResponder&) = delete;

private:
    UiResponder* previous_;
};

} // namespace cadhost
