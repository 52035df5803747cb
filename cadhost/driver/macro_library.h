// Loading the macro library with the platform loader.
#pragma once

#include "host/host_api.h"
#include "platform/result.h"

#include <string>

namespace cadhost {

// Loads the library and finds its entry point "Main"; a failure names the library and says why. A
// file that is not a complete library of this machine (CheckElfImage) is refused before the loader
// sees it. The library stays loaded for the rest of the process: its windows and Qt objects may
// outlive an invocation.
qx::Result<qx::host::Main_fn> LoadMacroLibrary(const std::string& path);

// Where the macro library is looked for when no path is given: next to the executable, then
// the build tree.
std::string DefaultMacroLibraryPath();

} // namespace cadhost
