// Acting on a real dialog's widgets, found by object name, as a user would.
#pragma once

#include "cadhost/scenario/script.h"

#include <string>

class QDialog;

namespace cadhost::scenario {

// Runs one action of a "dialog ... end" block. Returns an empty text, or what went wrong.
std::string RunDialogAction(QDialog& dialog, const Step& action);

} // namespace cadhost::scenario
