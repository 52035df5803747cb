#include "platform/win32/host_keys.h"

#include "host/host_api.h"

#include <windows.h>

namespace qx::platform::win32 {

std::optional<VirtualKeyStroke> VirtualKeyForHostKey(std::int32_t hostKeyCode) {
    constexpr std::int32_t kFunctionKeys = 10;
    const auto stroke = [](std::int32_t index, ShiftState shift) {
        return VirtualKeyStroke{static_cast<std::uint8_t>(VK_F1 + index), shift};
    };
    if (hostKeyCode >= host::kKeyF1 && hostKeyCode < host::kKeyF1 + kFunctionKeys)
        return stroke(hostKeyCode - host::kKeyF1, ShiftState::Up);
    if (hostKeyCode >= host::kKeyS1 && hostKeyCode < host::kKeyS1 + kFunctionKeys)
        return stroke(hostKeyCode - host::kKeyS1, ShiftState::Down);
    return std::nullopt;
}

} // namespace qx::platform::win32
