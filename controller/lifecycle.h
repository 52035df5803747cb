// Start-up on the first call of an invocation and shut-down on the last.
#pragma once

#include "state/quillex_state.h"

namespace qx {

void StartUp(QuillexL& s);
void ShutDown(QuillexL& s);
void ShowBanner();

} // namespace qx
