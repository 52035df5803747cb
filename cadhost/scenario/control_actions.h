// Acting on the controls of the macro's open window, found by name through the view's control
// access, as a user would: one action of a "dialog ... end" or "window ... end" block.
#pragma once

#include "cadhost/scenario/script.h"
#include "cadhost/scenario/view_automation.h"

#include <string>

namespace cadhost::scenario {

// Runs `action` on the window named `window`. Returns an empty text, or what went wrong.
std::string RunControlAction(ViewAutomation& view, const std::string& window, const Step& action);

} // namespace cadhost::scenario
