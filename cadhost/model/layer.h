// A layer of the stand-in host's drawing.
#pragma once

#include "host/host_types.h"

#include <cstdint>
#include <string>

namespace cadhost {

struct Layer {
    qx::host::lgl_addr addr; // given by the drawing when the layer is added
    std::string name;        // Windows-1252, unique within the drawing
    bool on = true;
    bool locked = false;
    std::int32_t color = 1;
};

} // namespace cadhost
