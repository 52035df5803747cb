// What the scenario runner needs of the macro's view beyond its controls: the windows on show,
// the modal dialog it is handed, and the looks only a toolkit can tell. Each view has its own
// unit (view_automation_qt.cpp, view_automation_win32.cpp); the runner sees only this.
#pragma once

#include "cadhost/driver/ui_responder.h"
#include "cadhost/scenario/script.h"
#include "dialogs/form/control_access.h"

#include <optional>
#include <string>
#include <vector>

namespace cadhost::scenario {

class ViewAutomation {
public:
    virtual ~ViewAutomation() = default;

    // The controls of the open windows, by name.
    virtual const qx::form::ControlAccess& Controls() const = 0;
    // The names of the windows on show, in the order the view lists them.
    virtual std::vector<std::string> WindowsOnShow() const = 0;
    // Lets the view handle what is pending (painting, posted messages).
    virtual void ProcessEvents() = 0;

    // The modal dialog the macro hands over.
    virtual std::string NameOf(ModalDialog& dialog) const = 0;
    virtual std::string TitleOf(ModalDialog& dialog) const = 0;
    // Shows the dialog, ready for input, with no result yet.
    virtual void Show(ModalDialog& dialog) = 0;
    // True until a button, Enter, Esc or the close box ended it.
    virtual bool IsOpen(ModalDialog& dialog) const = 0;
    // Ends a dialog the script left open, as its close box would.
    virtual void Close(ModalDialog& dialog) = 0;
    // The code the dialog ended with; kClosed when it ended without one.
    virtual int ResultOf(ModalDialog& dialog) const = 0;

    // An "expect" of a dialog action that only this view can tell (colours, fonts, hints, rows
    // as painted), or nothing to leave it to the controls.
    virtual std::optional<std::string> CheckLook(const std::string& window,
                                                 const Step& action) const = 0;

    // A dialog that ended without a result code of its own.
    static constexpr int kClosed = 0;
};

// The view of this build.
ViewAutomation& TheViewAutomation();

} // namespace cadhost::scenario
