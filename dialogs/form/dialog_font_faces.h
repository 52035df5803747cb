// The font every dialog is drawn in, the same for both views: 9 points of the first of these
// faces that the system has, else the system's own dialog font at that size. Segoe UI is
// Windows' dialog face; the others have its proportions on systems without it, so that the
// dialogs keep their designed sizes there too.
#pragma once

#include <string_view>

namespace qx::form {

inline constexpr int kDialogFontPoints = 9;
inline constexpr std::wstring_view kDialogFontFaces[] = {L"Segoe UI", L"Selawik",
                                                         L"DejaVu Sans Condensed", L"DejaVu Sans"};

} // namespace qx::form
