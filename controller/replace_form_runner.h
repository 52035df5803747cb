// Shows the Replace Text dialog for the main menu and for start-up.
#pragma once

#include <cstdint>

namespace qx {

// Which part of the dialog gets the focus.
enum class StartField : std::int32_t {
    SearchText = 0,
    ReplaceText = 1,
    ChangeCase = 2,
    Increment = 3
};

// True when the dialog was closed with OK; its values are then in the state record and saved.
bool RunReplaceTextForm(StartField field);

} // namespace qx
