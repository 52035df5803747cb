// The description of a dialog's controls, free of any toolkit: one row per control with its
// name, kind, parent, designed rectangle, caption and the edges it follows. A view (Qt on
// Linux, native controls on Windows) builds the window from these rows; the text fitting works
// on them too, so both views grow their controls to their texts the same way.
//
// Rectangles are in designed pixels of the dialog font, relative to the parent's client area.
// The window's own row comes first; a parent always comes before its children, and the rows
// are in the order the controls were drawn.
#pragma once

#include "dialogs/form/rect.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace qx::form {

enum class Kind : std::uint8_t {
    Window,    // the dialog or floating window itself; its rect is the client area
    GroupBox,  // a titled frame that holds controls
    Label,     // a single-line text
    WrapLabel, // a word-wrapping text whose height follows its width
    Edit,      // a one-line text field
    CheckBox,
    RadioButton,
    DropDownList, // a list that only offers its items (no free text)
    SpinEdit,     // a whole-number field with up and down arrows
    Button,
    ListBox,   // a list of items, one chosen
    Grid,      // rows and columns of items (the layer list)
    ScrollBox, // a scrolled area that holds a word-wrapping text
};

// The edges of the parent a control keeps its distance to when the parent is resized. A
// control tied to two opposite edges stretches; one tied only to the far edge moves with it.
enum Edge : std::uint8_t {
    kLeft = 1,
    kTop = 2,
    kRight = 4,
    kBottom = 8,
};
using Edges = std::uint8_t;
inline constexpr Edges kNearEdges = kLeft | kTop;

// What Enter and Esc do to a button.
enum class Role : std::uint8_t {
    None,
    Default, // Enter presses it
    Cancel,  // Esc presses it
};

using Items = std::span<const std::string_view>;

struct ControlSpec {
    std::string_view name;
    Kind kind;
    // The name of the parent control; empty for the window's own row.
    std::string_view parent;
    // A label's rect may have no size: it then takes the size of its caption.
    Rect rect;
    // The caption as the user sees it, UTF-8, with '&' before a mnemonic letter.
    std::string_view caption;
    Edges anchors = kNearEdges;
    // The entries of a drop-down list, in order.
    Items items = {};
    // The most characters a text field takes; 0 for no limit.
    int maxLength = 0;
    Role role = Role::None;
};

using ControlTable = std::span<const ControlSpec>;

// The controls that Tab walks, in order. Which of them stop at a given moment is the form's
// rule (radio buttons leave the chain once chosen, for example).
using TabOrder = std::span<const std::string_view>;

} // namespace qx::form
