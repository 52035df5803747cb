// Dialog windows reopen where the user last left them. Each window is named by its objectName.
#pragma once

class QWidget;

namespace qx::settings {

// useShared: true keeps the placement in the shared file (section "Quillex", keys
// name-left/-width/-top/-height); false in the macro file, one section per window.
void RestoreFormPos(QWidget& form, bool useShared);
void SaveFormPos(QWidget& form, bool useShared);

} // namespace qx::settings
