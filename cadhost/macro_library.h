// Loading the macro library with the platform loader.
#pragma once

#include "host/host_api.h"

#include <string>

namespace cadhost {

struct LoadedMacro {
    qx::host::Main_fn main = nullptr;
    std::string error; // empty when loaded
};

// Loads the library and finds its entry point "Main". A file that is not a complete library of
// this machine (CheckElfImage) is refused before the loader sees it. The library stays loaded for
// the rest of the process: its windows and Qt objects may outlive an invocation.
LoadedMacro LoadMacroLibrary(const std::string& path);

// Where the macro library is looked for when no path is given: next to the executable, then
// the build tree.
std::string DefaultMacroLibraryPath();

} // namespace cadhost
