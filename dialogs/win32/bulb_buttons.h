// The layer dialog's quick-choice buttons in the native view: owner-drawn push buttons with the
// bulb picture (dialogs/form/bulb_shapes.h) before their caption, and their tooltips.
#pragma once

#include "dialogs/form/bulb_shapes.h"

#include <windows.h>

#include <span>
#include <string_view>

namespace qx::win32 {

// Paints a push button as the desktop does, with `bulbs` before its caption.
void DrawBulbButton(const DRAWITEMSTRUCT& item, std::span<const form::Bulb> bulbs);

// A tooltip for `control`, shown when the mouse rests on it. The tooltip window is owned by
// `window` and goes with it.
void AddTooltip(HWND window, HWND control, std::string_view utf8);

} // namespace qx::win32
