// The one host session of the process: the drawing, the configuration and the user-interface
// state that the exported host functions work on.
#pragma once

#include "cadhost/driver/host_config.h"
#include "cadhost/driver/ui_state.h"
#include "cadhost/model/drawing.h"

#include <memory>

namespace cadhost {

namespace dxf {
struct Document;
}

struct Session {
    Drawing drawing;
    // The DXF file the drawing was read from, if it was: a save writes the changes back into
    // its bytes.
    std::shared_ptr<const dxf::Document> dxfSource;
    HostConfig config;
    UiState ui;
};

// The session the exported host functions use. A new session replaces the old one.
Session& CurrentSession();
void ResetSession();

} // namespace cadhost
