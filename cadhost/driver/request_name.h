// The names the host gives the macro's requests in transcripts, messages and reports.
#pragma once

#include "cadhost/driver/ui_state.h"

#include <string>

namespace cadhost {

// "menu", "text", "int" and so on.
std::string RequestName(RequestKind kind);

} // namespace cadhost
