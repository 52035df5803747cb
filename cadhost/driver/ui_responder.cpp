#include "cadhost/driver/ui_responder.h"

#include <QDialog>

#include <cstdio>

namespace cadhost {
namespace {

using qx::host::BoxAnswer;
using qx::host::BoxKind;

UiResponder* g_responder = nullptr;

BoxAnswer OnMessageBox(BoxKind kind, const char* caption, const char* text, bool defaultNo) {
    if (g_responder != nullptr)
        return g_responder->ShowMessageBox(kind, caption, text, defaultNo);
    std::fprintf(stderr, "cadhost: %s: %s\n", caption, text);
    return kind == BoxKind::Confirmation ? BoxAnswer::No : BoxAnswer::Ok;
}

void OnBeep() {
    if (g_responder != nullptr)
        g_responder->Beep();
}

std::int32_t OnRunModal(void* dialogAddr) {
    auto* dialog = static_cast<QDialog*>(dialogAddr);
    if (g_responder != nullptr)
        return g_responder->RunModal(*dialog);
    return dialog->exec();
}

bool OnOpenDocument(const char* path) {
    return g_responder != nullptr && g_responder->OpenDocument(path);
}

void OnSendKey(std::int32_t key) {
    if (g_responder != nullptr)
        g_responder->SendKey(key);
}

const qx::host::UiHooks kHooks{OnMessageBox, OnBeep, OnRunModal, OnOpenDocument, OnSendKey};

} // namespace

void SetUiResponder(UiResponder* responder) {
    g_responder = responder;
}

UiResponder* CurrentUiResponder() {
    return g_responder;
}

ScopedUiResponder::ScopedUiResponder(UiResponder& responder) : previous_(g_responder) {
    g_responder = &responder;
}

ScopedUiResponder::~ScopedUiResponder() {
    g_responder = previous_;
}

} // namespace cadhost

// The macro looks for this export by name; a host without it gets the desktop's own windows.
extern "C" __attribute__((visibility("default"))) const qx::host::UiHooks* cadhost_ui_hooks() {
    return &cadhost::kHooks;
}
