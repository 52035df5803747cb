#include "platform/host_ui.h"

#include "platform/platform.h"

namespace qx::platform {
namespace {

const host::UiHooks* g_hooks = nullptr;

} // namespace

void SetUiHooks(const host::UiHooks* hooks) {
    g_hooks = hooks;
}

std::optional<int> RunModalInHost(void* dialog) {
    return host_ui::RunModal(dialog);
}

namespace host_ui {

std::optional<host::BoxAnswer> Box(host::BoxKind kind, const std::string& caption,
                                   const std::string& text, bool defaultNo) {
    if (g_hooks == nullptr || g_hooks->messageBox == nullptr)
        return std::nullopt;
    return g_hooks->messageBox(kind, caption.c_str(), text.c_str(), defaultNo);
}

bool Beep() {
    if (g_hooks == nullptr || g_hooks->beep == nullptr)
        return false;
    g_hooks->beep();
    return true;
}

std::optional<int> RunModal(void* dialog) {
    if (g_hooks == nullptr || g_hooks->runModal == nullptr)
        return std::nullopt;
    return g_hooks->runModal(dialog);
}

std::optional<bool> OpenDocument(const std::string& path) {
    if (g_hooks == nullptr || g_hooks->openDocument == nullptr)
        return std::nullopt;
    return g_hooks->openDocument(path.c_str());
}

bool SendKey(std::int32_t keyCode) {
    if (g_hooks == nullptr || g_hooks->sendKey == nullptr)
        return false;
    g_hooks->sendKey(keyCode);
    return true;
}

} // namespace host_ui
} // namespace qx::platform
