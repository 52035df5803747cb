// The names the host gives keys and requests in transcripts, messages and reports.
#pragma once

#include "cadhost/ui_state.h"

#include <cstdint>
#include <string>

namespace cadhost {

// "F1".."F10", "S1".."S9", "S0" (Shift+F10), or the code itself.
std::string KeyName(std::int32_t code);
// "menu", "text", "int" and so on.
std::string RequestName(RequestKind kind);

} // namespace cadhost
