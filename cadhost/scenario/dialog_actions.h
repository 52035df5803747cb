// Acting on a Qt window's widgets, found by object name, as a user would: a modal dialog or one
// of the macro's floating windows. It goes through the view's control access like the runner
// (control_actions.h); the desktop's scenario player, which holds the window itself, uses it.
#pragma once

#include "cadhost/scenario/script.h"

#include <string>

class QWidget;

namespace cadhost::scenario {

// Runs one action of a "dialog ... end" or "window ... end" block. Returns an empty text, or
// what went wrong.
std::string RunDialogAction(QWidget& window, const Step& action);

} // namespace cadhost::scenario
