// Copying between the state record and the Replace Text dialog (or the layer dialog, which
// derives from it).
#pragma once

namespace qx {

class TfmReplaceText;

// Fills the dialog from the state record before it is shown.
void FillReplaceForm(TfmReplaceText& form);

// Copies the dialog into the state record and saves the nine values it holds, to the drawing
// and to the macro settings file. Called only after the dialog closed with OK (or, in the
// layer dialog, with Find Only): a cancelled dialog leaves the record as it was.
void ReadReplaceForm(TfmReplaceText& form);

} // namespace qx
