#include "host/host_table.h"

namespace qx::host {

HostTable& Slots() {
    static HostTable table;
    return table;
}

std::vector<std::string> UnboundHostFunctions() {
    std::vector<std::string> missing;
    const HostTable& t = Slots();
#define QX_CHECK_SLOT(name, result, params)                                                        \
    if (t.name == nullptr)                                                                         \
        missing.emplace_back(#name);
    QX_HOST_FUNCTIONS(QX_CHECK_SLOT)
#undef QX_CHECK_SLOT
    return missing;
}

} // namespace qx::host
