#include "dialogs/win32/layers_view.h"

#include "dialogs/dialog_result.h"
#include "dialogs/win32/bulb_buttons.h"

#include <commctrl.h>

namespace qx::win32 {
namespace {

WindowOptions LayersOptions() {
    WindowOptions options;
    options.frame = Frame::Caption;
    options.sizing = Sizing::Free;
    options.leastOuter = {450, 309};
    return options;
}

struct QuickChoice {
    std::string_view button;
    int (*choice)(LayerDetailList&, int);
    std::string_view tooltip;
};

constexpr QuickChoice kQuickChoices[] = {
    {"btnActive", &SelectActiveOnly, ""},
    {"btnUnlockedOnLyrs", &SelectUnlockedOnLayers, "All Unlocked Layers that are on"},
    {"btnUnlockedLyrs", &SelectUnlockedLayers, "All Unlocked Layers (whether ON or OFF)"},
    {"btnClear", &ClearLayerSelection, ""},
};

const QuickChoice* QuickChoiceNamed(std::string_view name) {
    for (const QuickChoice& quick : kQuickChoices)
        if (quick.button == name)
            return &quick;
    return nullptr;
}

} // namespace

LayersView::LayersView(form::TfmLayers& form)
    : ReplaceTextView(form, LayersOptions()), layers_(form), grid_(form.LayerDetails) {
    window_.SetResultButton("Button1", kResultFindOnly);
    window_.onDrawItem = [](std::string_view name, const DRAWITEMSTRUCT& item) {
        if (QuickChoiceNamed(name) == nullptr)
            return false;
        DrawBulbButton(item, form::BulbsOfButton(name));
        return true;
    };
    window_.onResized = [this] { grid_.FitColumn(); };
}

void LayersView::Prepare() {
    if (prepared_)
        return;
    prepared_ = true;
    grid_.Attach(window_.Control("sgLayers"));
    for (const QuickChoice& quick : kQuickChoices) {
        window_.SetOwnerDrawn(quick.button);
        if (!quick.tooltip.empty())
            AddTooltip(window_.Handle(), window_.Control(quick.button), quick.tooltip);
    }
}

void LayersView::Show() {
    Prepare();
    ReplaceTextView::Show();
    grid_.Populate(layers_.currentRow);
}

bool LayersView::Command(std::string_view name, UINT code) {
    if (const QuickChoice* quick = QuickChoiceNamed(name); quick != nullptr) {
        if (code != BN_CLICKED)
            return true;
        grid_.ApplyChoice(quick->choice);
        layers_.currentRow = grid_.CurrentRow();
        if (focusBeforeChoice_ != nullptr && IsWindow(focusBeforeChoice_))
            SetFocus(focusBeforeChoice_);
        focusBeforeChoice_ = nullptr;
        return true;
    }
    return ReplaceTextView::Command(name, code);
}

std::optional<LRESULT> LayersView::Notify(std::string_view name, NMHDR& header) {
    if (name == "sgLayers")
        return grid_.CustomDraw(header);
    return ReplaceTextView::Notify(name, header);
}

bool LayersView::ControlMessage(std::string_view name, UINT message, WPARAM wParam, LPARAM lParam) {
    if (name == "sgLayers") {
        const bool consumed = grid_.Message(message, wParam, lParam);
        if (consumed)
            layers_.currentRow = grid_.CurrentRow();
        return consumed;
    }
    if (message == WM_SETFOCUS && QuickChoiceNamed(name) != nullptr) {
        focusBeforeChoice_ = reinterpret_cast<HWND>(wParam);
        return false;
    }
    return ReplaceTextView::ControlMessage(name, message, wParam, lParam);
}

} // namespace qx::win32
