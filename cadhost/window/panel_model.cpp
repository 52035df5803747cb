#include "cadhost/window/panel_model.h"

#include "host/codepage.h"
#include "host/host_api.h"

namespace cadhost::window {
namespace {

struct HostKeyDef {
    int position;
    HostCommand command;
    const char* text;
    const char* hint;
};

// The host's own menu when no macro runs.
constexpr HostKeyDef kIdleMenu[] = {
    {1, HostCommand::StartMacro, "Quillex", "Start the Quillex macro: find and replace text"},
    {3, HostCommand::Open, "Open", "Open a drawing file (Ctrl+O)"},
    {4, HostCommand::Save, "Save", "Save the drawing (Ctrl+S)"},
    {5, HostCommand::SaveAs, "Save As", "Save the drawing under a new name"},
    {6, HostCommand::Layers, "Layers", "Turn layers on or off and lock or unlock them"},
    {8, HostCommand::Undo, "Undo", "Undo the last change: a whole macro run is one step (Ctrl+Z)"},
    {20, HostCommand::Quit, "Quit", "Close cadhost"},
};

// The host's selection menu, laid under the macro's main menu. A tool whose position the macro
// labels gives way to the macro.
constexpr HostKeyDef kSelectionMenu[] = {
    {1, HostCommand::PickEntity, "Entity", "Pick one entity with a left click"},
    {2, HostCommand::PickArea, "Area", "Drag a rectangle: every entity inside it is picked"},
    {3, HostCommand::PickLayer, "Layer", "Pick a layer from the list, or click an entity on it"},
    {4, HostCommand::PickAll, "All", "Pick every entity on the layers that are on"},
    {5, HostCommand::Mask, "Mask", "Choose which kinds of text a selection may pick"},
    {20, HostCommand::ExitMacro, "Exit", "Leave the macro"},
};

PanelKey HostKey(const HostKeyDef& def) {
    PanelKey key;
    key.owner = KeyOwner::Host;
    key.command = def.command;
    key.text = def.text;
    key.hint = def.hint;
    return key;
}

PanelKey MacroKey(const Label& label) {
    PanelKey key;
    key.owner = KeyOwner::Macro;
    key.text = qx::host::Cp1252ToUtf8(label.text);
    key.hint = qx::host::Cp1252ToUtf8(label.hint);
    key.toggle = label.call == Label::Call::Lblsett;
    key.on = key.toggle && label.on;
    key.marked = label.call == Label::Call::lblsettf && label.state == 3;
    return key;
}

void MarkTool(PanelKey& key, const PanelContext& context) {
    const auto toolOf = [](HostCommand c) -> std::optional<SelectionTool> {
        switch (c) {
        case HostCommand::PickEntity:
            return SelectionTool::Entity;
        case HostCommand::PickArea:
            return SelectionTool::Area;
        case HostCommand::PickLayer:
            return SelectionTool::Layer;
        default:
            return std::nullopt;
        }
    };
    if (const auto tool = toolOf(key.command)) {
        key.toggle = true;
        key.on = *tool == context.tool;
    }
    if (key.command == HostCommand::Mask) {
        key.toggle = true;
        key.on = context.maskActive;
    }
}

} // namespace

PanelKeys BuildPanel(const PanelContext& context) {
    PanelKeys keys{};
    if (!context.macroRunning || context.ui == nullptr) {
        for (const HostKeyDef& def : kIdleMenu)
            keys[static_cast<std::size_t>(def.position - 1)] = HostKey(def);
        return keys;
    }
    const UiState& ui = *context.ui;
    if (ui.labelsOn) {
        for (std::size_t i = 0; i < keys.size(); ++i) {
            if (ui.labels[i].set)
                keys[i] = MacroKey(ui.labels[i]);
        }
    }
    if (ui.request.kind != RequestKind::MenuGetMode)
        return keys;
    for (const HostKeyDef& def : kSelectionMenu) {
        PanelKey& key = keys[static_cast<std::size_t>(def.position - 1)];
        if (key.owner != KeyOwner::None)
            continue;
        key = HostKey(def);
        MarkTool(key, context);
    }
    return keys;
}

} // namespace cadhost::window
