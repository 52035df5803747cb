#include "platform/module_symbols.h"

#include <dlfcn.h>

namespace qx::platform {

void* MainProgramSymbol(const std::string& name) {
    // The handle of the main program needs no closing; the loader keeps it for the process.
    static void* const mainProgram = dlopen(nullptr, RTLD_LAZY);
    if (mainProgram == nullptr)
        return nullptr;
    return dlsym(mainProgram, name.c_str());
}

} // namespace qx::platform
