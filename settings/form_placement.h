// Dialog windows reopen where the user last left them. Each window is named by its objectName.
#pragma once

class QWidget;

namespace qx::settings {

// Where a window's placement is kept.
enum class PlacementFile {
    // The macro's own file, one section per window.
    Macro,
    // The shared file: section "Quillex", keys name-left/-width/-top/-height.
    Shared,
};

void RestoreFormPos(QWidget& form, PlacementFile file);
void SaveFormPos(QWidget& form, PlacementFile file);

} // namespace qx::settings
