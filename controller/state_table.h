// The controller's table of states: each state has one input handler, which reads the outcome
// of the previous request, and one request set-up, which ends with exactly one host request.
#pragma once

#include "state/quillex_state.h"

#include <cstdint>

namespace qx {

using InputHandler = void (*)(QuillexL& s);
using RequestSetup = void (*)(QuillexL& s, std::int32_t* ret);

struct StateEntry {
    std::int32_t code;
    InputHandler input; // null: the state becomes stDone on input
    RequestSetup setup; // null: no request, the answer stays 0
};

// The entry of a state code, or null for a code the controller does not know.
const StateEntry* FindState(std::int32_t code);

} // namespace qx
