// The "expect" action of a dialog or window block: what a widget shows, as a user sees it.
#pragma once

#include "cadhost/scenario/script.h"

#include <string>

class QWidget;

namespace cadhost::scenario {

// expect W CHECK [VALUE...] for the widget found for the action. Returns an empty text, or what
// was expected and what was seen.
std::string CheckWidget(QWidget& widget, const Step& action);

} // namespace cadhost::scenario
