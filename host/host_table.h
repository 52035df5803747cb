// The macro's table of host-function slots, filled by name when the library loads.
#pragma once

#include "host/host_api.h"

#include <string>
#include <vector>

namespace qx::host {

struct HostTable {
#define QX_DECLARE_SLOT(name, result, params) name##_fn name = nullptr;
    QX_HOST_FUNCTIONS(QX_DECLARE_SLOT)
#undef QX_DECLARE_SLOT
};

// The slots. Binding fills them; tests may fill them directly.
HostTable& Slots();

// The functions the macro calls. Every call site goes through here.
inline const HostTable& Host() {
    return Slots();
}

// Names of the slots that are still empty, in table order.
std::vector<std::string> UnboundHostFunctions();

} // namespace qx::host
