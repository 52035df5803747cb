// The main procedure of a probe macro with native dialogs: each invocation runs the
// selection-set chooser, the Replace Text dialog and the report of the native view, handed to the
// host's modal-dialog hook as the real macro hands them, and tells in an information box what
// each dialog left in its form. The host's automation drives the dialogs through their named
// controls; the boxes show that its clicks, keys and picks reached the forms' rules.
#include "controller/quillex_main.h"

#include "dialogs/win32/form_window.h"
#include "dialogs/win32/replace_text_view.h"
#include "dialogs/win32/report_view.h"
#include "dialogs/win32/selset_view.h"
#include "host/host_api.h"
#include "host/host_table.h"
#include "platform/platform.h"

#include <string>

namespace qx {
namespace {

std::string OnOff(bool on) {
    return on ? "on" : "off";
}

void RunSelectionSetChooser() {
    form::TfmSelSet form;
    form.Label1 = "Choose a set";
    win32::SelSetView view(
        form, {"Set 1", "Set 2", "Set 3", "Set 4", "Set 5", "Set 6", "Set 7", "Set 8"});
    const int result = view.Run(nullptr);
    platform::InfoBox("fmSelSet result " + std::to_string(result) + ", set " +
                      std::to_string(form.lbSelSets) + ", append " + OnOff(form.chbAppend));
}

void RunReplaceText() {
    form::TfmReplaceText form;
    form.eOldText = "door";
    win32::ReplaceTextView view(form);
    const int result = view.Run(nullptr);
    platform::InfoBox("fmReplaceText result " + std::to_string(result) + ", old \"" +
                      form.eOldText + "\", new \"" + form.eNewText + "\", case " +
                      OnOff(form.chbCase) + ", case option " + std::to_string(form.cbCaseOptions));
}

// Two changed entities, the second with a text that lost every match, and the result message.
void RunReport() {
    form::TfmReport form;
    form.lines = {"ogate", "n", "ogate 2", "n 2", "r2 replacements made in 2 entities"};
    win32::ReportView view(form);
    const int result = view.Run(nullptr);
    platform::InfoBox("fmReport result " + std::to_string(result));
}

} // namespace

std::int32_t Quillex_Main(std::uint8_t action, QuillexL* /*record*/, void* /*arg*/) {
    // A slot the host could not fill is never called.
    if (action == static_cast<std::uint8_t>(host::Action::CallSizeQuery) &&
        host::Host().SetLocalSize != nullptr)
        host::Host().SetLocalSize(static_cast<std::int32_t>(sizeof(QuillexL)));
    if (action == static_cast<std::uint8_t>(host::Action::CallStart)) {
        win32::FormWindow::SetModalHost(
            [](HWND dialog) { return platform::RunModalInHost(dialog); });
        RunSelectionSetChooser();
        RunReplaceText();
        RunReport();
    }
    return 0;
}

} // namespace qx
