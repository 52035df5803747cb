// The native view's side of the placement memory: a form window seen as a
// settings::PlacedWindow, so that each dialog reopens where the user last left it.
#pragma once

#include "dialogs/win32/form_window.h"
#include "settings/form_placement.h"

namespace qx::win32 {

// Puts the created window centred over `owner` (or the screen), then where the user last left
// it, if that is still on a screen.
void RestoreWindowPlace(FormWindow& window, HWND owner, settings::PlacementFile file);
// Keeps the window's present place.
void SaveWindowPlace(const FormWindow& window, settings::PlacementFile file);

} // namespace qx::win32
