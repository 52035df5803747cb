#include "dialogs/form/control_access.h"

#include <array>
#include <utility>

namespace qx::form {

std::optional<Key> KeyNamed(std::string_view name) {
    static constexpr std::array<std::pair<std::string_view, Key>, 16> kNames = {{
        {"Tab", Key::Tab},
        {"Backtab", Key::Backtab},
        {"Enter", Key::Enter},
        {"Escape", Key::Escape},
        {"Space", Key::Space},
        {"Up", Key::Up},
        {"Down", Key::Down},
        {"Left", Key::Left},
        {"Right", Key::Right},
        {"PageUp", Key::PageUp},
        {"PageDown", Key::PageDown},
        {"Home", Key::Home},
        {"End", Key::End},
        {"Insert", Key::Insert},
        {"Delete", Key::Delete},
        {"Backspace", Key::Backspace},
    }};
    for (const auto& [keyName, key] : kNames) {
        if (keyName == name)
            return key;
    }
    return std::nullopt;
}

} // namespace qx::form
