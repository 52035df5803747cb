// The window's side of the macro's message boxes, dialogs, beeps, documents and key strokes:
// real message boxes and dialogs over the main window, the desktop's beep and document viewer,
// and key strokes that answer the macro as if typed.
#pragma once

#include "cadhost/driver/ui_responder.h"

class QWidget;

namespace cadhost::window {

class MacroSession;

class WindowResponder final : public UiResponder {
public:
    WindowResponder(QWidget& mainWindow, MacroSession& session)
        : mainWindow_(mainWindow), session_(session) {}

    qx::host::BoxAnswer ShowMessageBox(qx::host::BoxKind kind, const std::string& caption,
                                       const std::string& text, bool defaultNo) override;
    void Beep() override;
    int RunModal(QDialog& dialog) override;
    bool OpenDocument(const std::string& path) override;
    // The macro's windows send keys from inside their buttons' handlers, and handling a key may
    // delete the window: the answer waits for the next turn of the event loop.
    void SendKey(std::int32_t key) override;

private:
    QWidget& mainWindow_;
    MacroSession& session_;
};

} // namespace cadhost::window
