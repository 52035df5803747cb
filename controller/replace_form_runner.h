// Shows the Replace Text dialog for the main menu and for start-up.
#pragma once

#include "dialogs/form/replace_text_form.h"

namespace qx {

// Which part of the dialog gets the focus.
using form::StartField;

// True when the dialog was closed with OK; its values are then in the state record and saved.
bool RunReplaceTextForm(StartField field);

} // namespace qx
