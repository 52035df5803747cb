// The Qt view's side of the placement memory: a QWidget seen as a settings::PlacedWindow.
#pragma once

#include "settings/form_placement.h"

class QWidget;

namespace qx {

// Puts the window where the user last left it (settings::RestoreFormPos).
void RestoreWindowPlace(QWidget& window, settings::PlacementFile file);
// Keeps the window's present place (settings::SaveFormPos).
void SaveWindowPlace(QWidget& window, settings::PlacementFile file);

} // namespace qx
