#include "platform/module_symbols.h"

#include <windows.h>

namespace qx::platform {

void* MainProgramSymbol(const std::string& name) {
    // The main program's handle needs no release: the process holds it until it ends.
    const HMODULE mainProgram = GetModuleHandleW(nullptr);
    if (mainProgram == nullptr)
        return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(mainProgram, name.c_str()));
}

} // namespace qx::platform
