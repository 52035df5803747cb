// The result codes with which the macro's modal dialogs close.
#pragma once

namespace qx {

inline constexpr int kResultOk = 1;
inline constexpr int kResultCancel = 2;
// The layer dialog's "Find Only".
inline constexpr int kResultFindOnly = 11;

} // namespace qx
