// The host's UI hooks (host/ui_hooks.h) as the platform layer consults them: every desktop
// operation first offers itself to the host, and only a host without the hook gets the
// desktop's own behaviour. Each function answers nothing when the host has no such hook.
#pragma once

#include "host/ui_hooks.h"

#include <cstdint>
#include <optional>
#include <string>

namespace qx::platform::host_ui {

std::optional<host::BoxAnswer> Box(host::BoxKind kind, const std::string& caption,
                                   const std::string& text, bool defaultNo);
// True when the host beeped.
bool Beep();
std::optional<int> RunModal(void* dialog);
std::optional<bool> OpenDocument(const std::string& path);
// True when the host took the key.
bool SendKey(std::int32_t keyCode);

} // namespace qx::platform::host_ui
