// The font every dialog is drawn in (dialogs/form/dialog_font_faces.h): Segoe UI 9 pt where
// Windows has it, else a face of its proportions, else the system's message font at that size. The variants (bold, italic, ...) are made once per style
// and live as long as the process, since the floating windows outlive a call of the host.
#pragma once

#include <windows.h>

#include <cstdint>

namespace qx::win32 {

enum FontStyle : std::uint8_t {
    kPlain = 0,
    kBold = 1,
    kItalic = 2,
    kUnderline = 4,
    kStrikeOut = 8,
};
using FontStyles = std::uint8_t;

// The dialog font in the given style.
HFONT DialogFont(FontStyles styles = kPlain);

} // namespace qx::win32
