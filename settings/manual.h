// The reference manual, kept next to the macro's library file.
#pragma once

namespace qx::settings {

void ShowManual();

} // namespace qx::settings
