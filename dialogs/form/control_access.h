// Reaching the controls of the open dialog or floating window by name, and using them as a user
// would: the one interface through which automation (the scenario runner) drives either view.
// Each view implements it over its own windows; names are the controls' names in the form
// tables (the window's own row names the window).
//
// Every action goes through the control as a user's input would (a click, a key stroke, a pick
// from a list), so the form's rules run exactly as for a person. An action answers an empty
// text when done, or says why it could not be done.
#pragma once

#include "dialogs/form/key_filter.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qx::form {

// Keys a user presses on a control, beside the characters typed with TypeText.
enum class Key : std::uint8_t {
    Tab,
    Backtab,
    Enter,
    Escape,
    Space,
    Up,
    Down,
    Left,
    Right,
    PageUp,
    PageDown,
    Home,
    End,
    Insert,
    Delete,
    Backspace,
};

// The key named as in the scenarios ("Tab", "PageDown"), if there is one.
std::optional<Key> KeyNamed(std::string_view name);

// Where a click lands in a control with rows (a list or grid): a row, or the empty area below
// the last one.
struct ClickAt {
    std::optional<int> row;
    bool belowRows = false;
    bool rightButton = false;
    Modifiers held = kNoModifier;
};

class Control {
public:
    virtual ~Control() = default;

    // What the user sees.
    virtual std::string Text() const = 0; // caption or field text, UTF-8
    virtual bool Checked() const = 0;
    virtual bool Enabled() const = 0;
    virtual bool Visible() const = 0;
    virtual bool Focused() const = 0;
    virtual std::vector<std::string> Items() const = 0; // entries of a list
    virtual int CurrentItem() const = 0;                // -1 when none

    // What the user does.
    virtual std::string Click(const ClickAt& at = {}) = 0;
    // Ticks or clears a check box by clicking it when it is not as wanted.
    virtual std::string SetChecked(bool checked) = 0;
    // Focuses a field, selects its text with Ctrl+A, deletes it and types `utf8` key by key.
    virtual std::string ReplaceText(std::string_view utf8) = 0;
    // Picks an entry of a drop-down list (open, highlight, Enter) or of a list box.
    virtual std::string ChooseItem(int index) = 0;
    // Focuses the control and presses a key, or types one character, with modifiers held.
    virtual std::string PressKey(Key key, Modifiers held = kNoModifier) = 0;
    virtual std::string TypeCharacter(char32_t c, Modifiers held = kNoModifier) = 0;
};

class ControlAccess {
public:
    virtual ~ControlAccess() = default;

    // The names of the windows open now, modal dialogs and floating windows, the active first.
    virtual std::vector<std::string> OpenWindows() const = 0;
    // The control `control` of the open window `window`; the window itself when `control` is the
    // window's name. Nothing when there is no such window or control.
    virtual std::unique_ptr<Control> Find(std::string_view window,
                                          std::string_view control) const = 0;
};

} // namespace qx::form
