// Runs a scenario script through the real macro library and prints its transcript.
#pragma once

#include "cadhost/scenario/run_context.h"
#include "cadhost/scenario/script.h"

#include <ostream>

namespace cadhost::scenario {

// 0 when every expectation held; 1 on the first failure, whose message goes to `err`.
int RunScenario(const Script& script, const RunOptions& options, std::ostream& out,
                std::ostream& err);

} // namespace cadhost::scenario
