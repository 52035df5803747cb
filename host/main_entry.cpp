// The macro library's one export, and its binding to the host when the library is loaded.
#include "controller/quillex_main.h"
#include "host/binding.h"
#include "host/host_api.h"

#include <cstdint>

#ifdef _WIN32
#include <windows.h>
#endif

#ifdef _WIN32
// The module-definition file host/win32/quillex.def names the DLL's one export.
#define QX_EXPORT_MAIN
#else
#define QX_EXPORT_MAIN __attribute__((visibility("default")))
#endif

namespace {

void BindOnce() {
    qx::host::BindToHostExecutable();
}

} // namespace

#ifdef _WIN32
// Binding runs once per load, before the host first calls Main. The loader holds its lock
// here: the binding only reads the host's file as data and asks for entry points, and what it
// must say waits for the first call of Main.
extern "C" BOOL WINAPI DllMain(HINSTANCE /*self*/, DWORD reason, LPVOID /*reserved*/) {
    if (reason == DLL_PROCESS_ATTACH)
        BindOnce();
    return TRUE;
}
#else
namespace {
// Binding runs once per load, before the host first calls Main.
struct BindOnLoad {
    BindOnLoad() { BindOnce(); }
} g_bindOnLoad;
} // namespace
#endif

// Exported undecorated as "Main" on every target; see QX_MAIN_CALL for the convention.
extern "C" QX_EXPORT_MAIN std::int32_t QX_MAIN_CALL Main(std::int32_t callState,
                                                         std::int32_t action, void* record,
                                                         void* arg) {
    // The binding's boxes could not be shown while the library was loading.
    qx::host::ShowDeferredBindingMessages();
    if (callState != qx::host::kCallStateServed)
        return 0;
    // Only the low byte of the action code carries the action.
    const auto actionCode = static_cast<std::uint8_t>(action & 0xFF);
    return qx::Quillex_Main(actionCode, static_cast<qx::QuillexL*>(record), arg);
}
