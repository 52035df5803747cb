// The macro library's one export, and its binding to the host when the library is loaded.
#include "controller/quillex_main.h"
#include "host/binding.h"
#include "host/host_api.h"

#include <cstdint>

namespace {

// Binding runs once per load, before the host first calls Main.
struct BindOnLoad {
    BindOnLoad() { qx::host::BindToHostExecutable(); }
} g_bindOnLoad;

} // namespace

extern "C" __attribute__((visibility("default"))) std::int32_t
Main(std::int32_t callState, std::int32_t action, void* record, void* arg) {
    if (callState != qx::host::kCallStateServed)
        return 0;
    // Only the low byte of the action code carries the action.
    const auto actionCode = static_cast<std::uint8_t>(action & 0xFF);
    return qx::Quillex_Main(actionCode, static_cast<qx::QuillexL*>(record), arg);
}
