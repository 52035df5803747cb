// The host's key codes as the keyboard of Windows knows them: function keys F1 to F10 (315 to
// 324) and the same keys with Shift (340 to 349) become virtual keys, so that a synthetic key
// stroke reaches the host's window as if the user had typed it.
#pragma once

#include <cstdint>
#include <optional>

namespace qx::platform::win32 {

enum class ShiftState { Up, Down };

struct VirtualKeyStroke {
    std::uint8_t virtualKey; // VK_F1 ...
    ShiftState shift;
};

// The stroke for a host key code, or nothing for a code that is not one of the twenty function
// keys.
std::optional<VirtualKeyStroke> VirtualKeyForHostKey(std::int32_t hostKeyCode);

} // namespace qx::platform::win32
