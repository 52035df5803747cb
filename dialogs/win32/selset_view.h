// The native view of the selection-set chooser: the host's eight sets in a list, OK enabled
// once the user chose one.
#pragma once

#include "dialogs/form/selset_form.h"
#include "dialogs/win32/form_window.h"

#include <string>
#include <vector>

namespace qx::win32 {

class SelSetView {
public:
    // `setNames` are the list's rows as the user sees them (UTF-8).
    SelSetView(form::TfmSelSet& form, std::vector<std::string> setNames);

    // Runs the dialog modally; the choice and the Append tick are in the form afterwards.
    int Run(HWND owner);
    void Build(HWND owner);
    FormWindow& Window() { return window_; }

private:
    void Chosen();

    form::TfmSelSet& form_;
    std::vector<std::string> setNames_;
    FormWindow window_;
};

} // namespace qx::win32
