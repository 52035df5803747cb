// The hooks through which the macro's message boxes, beeps, modal dialogs, documents and key
// strokes reach the host: each goes to the responder of the moment (driver/ui_responder.h).
#include "cadhost/driver/ui_responder.h"
#include "cadhost/exports/desktop_modal.h"
#include "cadhost/exports/host_exports.h"
#include "host/ui_hooks.h"

#include <cstdio>

namespace {

using cadhost::CurrentUiResponder;
using qx::host::BoxAnswer;
using qx::host::BoxKind;

BoxAnswer OnMessageBox(BoxKind kind, const char* caption, const char* text, bool defaultNo) {
    if (auto* responder = CurrentUiResponder())
        return responder->ShowMessageBox(kind, caption, text, defaultNo);
    std::fprintf(stderr, "cadhost: %s: %s\n", caption, text);
    return kind == BoxKind::Confirmation ? BoxAnswer::No : BoxAnswer::Ok;
}

void OnBeep() {
    if (auto* responder = CurrentUiResponder())
        responder->Beep();
}

std::int32_t OnRunModal(void* dialogAddr) {
    auto* dialog = static_cast<cadhost::ModalDialog*>(dialogAddr);
    if (auto* responder = CurrentUiResponder())
        return responder->RunModal(*dialog);
    return cadhost::RunModalOnDesktop(*dialog);
}

bool OnOpenDocument(const char* path) {
    auto* responder = CurrentUiResponder();
    return responder != nullptr && responder->OpenDocument(path);
}

void OnSendKey(std::int32_t key) {
    if (auto* responder = CurrentUiResponder())
        responder->SendKey(key);
}

const qx::host::UiHooks kHooks{OnMessageBox, OnBeep, OnRunModal, OnOpenDocument, OnSendKey};

} // namespace

// The macro looks for this export by name; a host without it gets the desktop's own windows.
CADHOST_EXPORT const qx::host::UiHooks* cadhost_ui_hooks() {
    return &kHooks;
}
