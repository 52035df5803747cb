// The native views of the floating review windows: the confirm window, whose answer buttons
// reach the host as key strokes and whose Edit button runs the edit-text dialog, and the
// found-text window of find-only browsing. Both float above the host, top-most, without taking
// its focus, from one call of the host to a later one; their height follows their texts.
#pragma once

#include "dialogs/form/review_forms_content.h"
#include "dialogs/win32/form_window.h"

#include <array>
#include <cstdint>
#include <functional>

namespace qx::win32 {

// Delivers one key stroke (a host key code) to the host's window.
using SendKey = std::function<void(std::int32_t keyCode)>;

class ConfirmView {
public:
    // `keys` names the host key codes of the four answers: Yes, No, Yes to All, No to All.
    ConfirmView(SendKey sendKey, std::array<std::int32_t, 4> keys);

    void Create(HWND owner);
    // Shows the form's texts and states and lays the window out; the window keeps a copy of
    // the form, whose pointers must stay valid while it is open.
    void Show(const form::TfmConfirm& form);
    FormWindow& Window() { return window_; }

private:
    void Layout();
    void Edit();

    SendKey sendKey_;
    std::array<std::int32_t, 4> keys_;
    form::TfmConfirm form_;
    FormWindow window_;
    bool adjustingHeight_ = false;
};

class FoundTextView {
public:
    FoundTextView();

    void Create(HWND owner);
    void Show(const form::TfmFoundText& form);
    FormWindow& Window() { return window_; }

private:
    void Layout();

    FormWindow window_;
    bool adjustingHeight_ = false;
};

} // namespace qx::win32
