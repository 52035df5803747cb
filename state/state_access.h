// The one module-level pointer through which every part of the macro reaches the state record
// of the invocation in progress. It is set at the start of every call.
#pragma once

#include "state/quillex_state.h"

namespace qx {

void SetStatePointer(QuillexL* record);
QuillexL& State();
bool HasState();

} // namespace qx
