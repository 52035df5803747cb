// A modal dialog of the macro that no responder takes: it runs on the desktop for a person,
// the way the toolkit of the macro's view runs it.
#pragma once

#include "cadhost/driver/ui_responder.h"

namespace cadhost {

// Runs the dialog to its end and returns its result code.
int RunModalOnDesktop(ModalDialog& dialog);

} // namespace cadhost
