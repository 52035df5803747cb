// Entry points of the process's main program, found through the platform's loader.
#pragma once

#include <string>

namespace qx::platform {

// The address the loader gives for `name` (matched exactly) among the main program's exports,
// or nullptr when there is none.
void* MainProgramSymbol(const std::string& name);

} // namespace qx::platform
