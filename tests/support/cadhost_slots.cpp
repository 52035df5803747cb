#include "tests/support/cadhost_slots.h"

#include "cadhost/exports/host_exports.h"
#include "host/host_table.h"

namespace qx::test {

void BindSlotsToCadhost() {
    host::HostTable& slots = host::Slots();
#define QX_BIND_TO_CADHOST(name, result, params) slots.name = &::name;
    QX_HOST_FUNCTIONS(QX_BIND_TO_CADHOST)
#undef QX_BIND_TO_CADHOST
}

void UnbindSlots() {
    host::Slots() = host::HostTable{};
}

} // namespace qx::test
