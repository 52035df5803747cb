// The one host session of the process: the drawing, the configuration and the user-interface
// state that the exported host functions work on.
#pragma once

#include "cadhost/host_config.h"
#include "cadhost/model/drawing.h"
#include "cadhost/ui_state.h"

namespace cadhost {

struct Session {
    Drawing drawing;
    HostConfig config;
    UiState ui;
};

// The session the exported host functions use. A new session replaces the old one.
Session& CurrentSession();
void ResetSession();

} // namespace cadhost
