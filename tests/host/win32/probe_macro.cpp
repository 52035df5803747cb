// The main procedure of a probe macro: enough of a macro to drive the DLL's entry point, its
// load-time binding and its export table through a real Windows host, before and apart from
// the controller. It answers the size query and ends every invocation at once.
#include "controller/quillex_main.h"

#include "host/host_api.h"
#include "host/host_table.h"

namespace qx {

std::int32_t Quillex_Main(std::uint8_t action, QuillexL* /*record*/, void* /*arg*/) {
    // A slot the host could not fill is never called.
    if (action == static_cast<std::uint8_t>(host::Action::CallSizeQuery) &&
        host::Host().SetLocalSize != nullptr)
        host::Host().SetLocalSize(static_cast<std::int32_t>(sizeof(QuillexL)));
    return 0;
}

} // namespace qx
