// The result codes with which the macro's modal dialogs close.
#pragma once

namespace qx {

inline constexpr int kResultOk = 1;
inline constexpr int kResultCancel = 2;

} // namespace qx
