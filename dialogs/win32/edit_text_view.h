// The native view of the edit-text dialog, in which the user rewrites the proposed text.
#pragma once

#include "dialogs/form/report_form.h"
#include "dialogs/win32/form_window.h"

namespace qx::win32 {

class EditTextView {
public:
    explicit EditTextView(form::TfmEditText& form);

    // Shows the form's text, runs the dialog modally and, on OK, leaves the user's text in the
    // form. Returns the result.
    int Run(HWND owner);
    void Build(HWND owner);
    FormWindow& Window() { return window_; }

private:
    form::TfmEditText& form_;
    FormWindow window_;
};

} // namespace qx::win32
