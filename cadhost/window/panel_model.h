// What the function-key panel shows: the macro's labels while it runs, the host's selection
// tools in the positions the macro leaves free at its main menu, and the host's own idle menu
// when no macro runs. Plain data, so that the rules can be tested without widgets.
#pragma once

#include "cadhost/driver/keys.h"
#include "cadhost/driver/ui_state.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace cadhost::window {

// The panel has a button for each of the host's key positions (cadhost/driver/keys.h).
inline constexpr int kPanelKeys = kKeyPositions;

// What the host does for a key it owns.
enum class HostCommand {
    None,
    StartMacro,
    Open,
    Save,
    SaveAs,
    Undo,
    Layers,
    Quit,
    PickEntity,
    PickArea,
    PickLayer,
    PickAll,
    Mask,
    ExitMacro, // the selection menu's own way out: the macro's S0
};

enum class KeyOwner { None, Macro, Host };

struct PanelKey {
    KeyOwner owner = KeyOwner::None;
    HostCommand command = HostCommand::None; // for keys the host owns
    std::string text;                        // UTF-8
    std::string hint;                        // UTF-8
    bool toggle = false;                     // drawn as a toggle; `on` tells its state
    bool on = false;
    bool marked = false; // the item has a value (label state 3)
};

using PanelKeys = std::array<PanelKey, kPanelKeys>;

// The host's ways of completing a selection at the macro's main menu.
enum class SelectionTool { Entity, Area, Layer };

struct PanelContext {
    bool macroRunning = false;
    const UiState* ui = nullptr; // the macro's labels and request; needed while it runs
    SelectionTool tool = SelectionTool::Entity;
    bool maskActive = false;
};

PanelKeys BuildPanel(const PanelContext& context);

} // namespace cadhost::window
