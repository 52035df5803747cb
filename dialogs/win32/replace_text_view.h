// The native view of the Replace Text dialog over its form: it shows the form's values in the
// controls of the form's table, hands every use of a control to the form's rules and shows
// what the rules left. The layer dialog derives from it and adds its grid.
#pragma once

#include "dialogs/form/replace_text_form.h"
#include "dialogs/win32/form_window.h"

#include <windows.h>

namespace qx::win32 {

class ReplaceTextView {
public:
    explicit ReplaceTextView(form::TfmReplaceText& form);
    virtual ~ReplaceTextView() = default;
    ReplaceTextView(const ReplaceTextView&) = delete;
    ReplaceTextView& operator=(const ReplaceTextView&) = delete;

    // Builds the window, shows the form's values, runs the dialog modally and returns its
    // result; the user's values are in the form by then.
    int Run(HWND owner);
    // Builds the window and shows the form's values without running it (for pictures).
    void Build(HWND owner);
    FormWindow& Window() { return window_; }

protected:
    ReplaceTextView(form::TfmReplaceText& form, WindowOptions options);
    // What the derived view adds to the controls' messages; true when it handled one.
    virtual bool Command(std::string_view name, UINT code);
    virtual std::optional<LRESULT> Notify(std::string_view name, NMHDR& header);
    virtual bool ControlMessage(std::string_view name, UINT message, WPARAM wParam, LPARAM lParam);
    virtual void Show();

private:
    void Wire();
    void ShowOption();
    void ShowTabStops();
    void ShowIncrement(std::int32_t value);
    void IncrementEdited();
    bool IncrementKey(wchar_t c) const;

    form::TfmReplaceText& form_;

protected:
    FormWindow window_;

private:
    // True while the view itself changes the controls: what they report then is not the
    // user's doing.
    bool showing_ = false;
};

} // namespace qx::win32
