// The macro's main procedure: one call of the host's conversation.
#pragma once

#include "state/quillex_state.h"

#include <cstdint>

namespace qx {

// Runs one call: the input handler of the current state (on resume), start-up or shut-down,
// then the request set-up of the current state. Returns the answer for the host.
std::int32_t Quillex_Main(std::uint8_t action, QuillexL* record, void* arg);

} // namespace qx
