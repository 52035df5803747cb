#include "dialogs/win32/confirm_view.h"

#include "dialogs/dialog_result.h"
#include "dialogs/form/report_form.h"
#include "dialogs/win32/edit_text_view.h"
#include "dialogs/win32/window_placement.h"

#include <algorithm>
#include <cmath>

namespace qx::win32 {
namespace {

constexpr std::string_view kAnswerButtons[] = {"btnYes", "btnNo", "btnYesAll", "btnNoAll"};
constexpr COLORREF kRed = RGB(255, 0, 0);

WindowOptions FloatingOptions(Frame frame) {
    WindowOptions options;
    options.frame = frame;
    options.sizing = Sizing::HeightFollowsTexts;
    options.stacking = Stacking::TopMost;
    return options;
}

// Gives the window the client height its texts need; `adjusting` is set meanwhile, so that the
// resize this causes does not lay the window out again from inside. True when it changed.
bool TakeClientHeight(FormWindow& window, int wanted, bool& adjusting) {
    const int present = window.ClientSize().height;
    if (wanted == present)
        return false;
    adjusting = true;
    RECT outer{};
    GetWindowRect(window.Handle(), &outer);
    window.SetOuterHeight(outer.bottom - outer.top + wanted - present);
    adjusting = false;
    return true;
}

} // namespace

ConfirmView::ConfirmView(SendKey sendKey, std::array<std::int32_t, 4> keys)
    : sendKey_(std::move(sendKey)), keys_(keys),
      window_(form::TfmConfirm::Table(), form::TfmConfirm::Tabs(),
              FloatingOptions(Frame::CloseBox)) {
    window_.onCommand = [this](std::string_view name, UINT code) {
        if (code != BN_CLICKED)
            return;
        for (std::size_t i = 0; i < std::size(kAnswerButtons); ++i)
            if (name == kAnswerButtons[i] && sendKey_)
                sendKey_(keys_[i]);
        if (name == "btnEdit")
            Edit();
    };
    window_.onResized = [this] { Layout(); };
}

void ConfirmView::Create(HWND owner) {
    window_.Create(owner);
    window_.SetFontStyle("lblOldTxt", kBold);
    window_.SetFontStyle("lblNewTxt", kBold);
    window_.SetFontStyle("lblLocked", kBold | kItalic);
    window_.SetFontStyle("lblWithNote", kItalic);
    window_.SetFontStyle("lblMaxLength", kBold | kItalic);
    for (const std::string_view note : {"lblLocked", "lblWithNote", "lblMaxLength"}) {
        window_.SetTextColour(note, kRed);
        window_.SetVisible(note, false);
    }
}

void ConfirmView::Show(const form::TfmConfirm& form) {
    form_ = form;
    if (!form.title.empty())
        window_.SetTitle(form.title);
    if (!form.lblReplace.empty())
        window_.SetText("lblReplace", form.lblReplace);
    if (!form.lblWith.empty())
        window_.SetText("lblWith", form.lblWith);
    window_.SetText("lblOldTxt", form.lblOldTxt);
    window_.SetText("lblNewTxt", form.lblNewTxt);
    window_.SetVisible("lblWithNote", form.lblWithNoteVisible);
    window_.SetVisible("lblMaxLength", form.lblMaxLengthVisible);
    // The notes share the line of "With" and must show above it.
    for (const std::string_view note : {"lblWithNote", "lblMaxLength"})
        SetWindowPos(window_.Control(note), HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    window_.SetEnabled("btnEdit", form.btnEditEnabled);
    window_.Fit();
    window_.ShowFloating();
}

// The texts wrap at the window's width, one below the other, and the window takes the height
// they need with the buttons below them.
void ConfirmView::Layout() {
    if (adjustingHeight_)
        return;
    const Size client = window_.ClientSize();
    const int u = window_.LineHeight();
    const int h = window_.FittedRect("lblReplace").height;
    const form::Rect design = window_.Table()[0].rect;

    const auto placeWrapped = [&](std::string_view name, int top) {
        form::Rect rect = window_.PlacedRect(name);
        rect.y = top;
        rect.width = std::max(client.width - rect.x - u, u);
        rect.height = window_.WrappedHeight(name, rect.width);
        window_.Place(name, rect);
        return rect;
    };
    const form::Rect old = placeWrapped("lblOldTxt", window_.FittedRect("lblOldTxt").y);
    const form::Rect with = placeWrapped("lblWith", old.y + old.height + h / 2);
    // A line and a fifth below the top of a one-line "With"; below all of a wrapped one.
    const int gap = static_cast<int>(std::lround(0.2 * h));
    const int newTop = with.y + std::max(h, with.height) + gap;
    const form::Rect newText = placeWrapped("lblNewTxt", newTop);
    for (const std::string_view note : {"lblWithNote", "lblMaxLength"}) {
        form::Rect rect = window_.PlacedRect(note);
        rect.y = with.y;
        window_.Place(note, rect);
    }
    const bool withHasText = !window_.Text("lblWith").empty();
    const int textsBottom = withHasText ? newText.y + newText.height : with.y + with.height;

    // The buttons sit a line below the texts; Edit keeps its designed distance to the right.
    const form::Rect yes = window_.FittedRect("btnYes");
    const int buttonTop = textsBottom + u;
    for (const std::string_view button : kAnswerButtons) {
        form::Rect rect = window_.FittedRect(button);
        rect.y = buttonTop;
        window_.Place(button, rect);
    }
    const int editDesignX =
        window_.Table()[static_cast<std::size_t>(RowNamed(window_.Table(), "btnEdit"))].rect.x;
    form::Rect edit = window_.FittedRect("btnEdit");
    edit.y = buttonTop;
    edit.x = std::max(client.width - (design.width - editDesignX), yes.x);
    window_.Place("btnEdit", edit);

    if (TakeClientHeight(window_, buttonTop + yes.height + u / 2, adjustingHeight_))
        Layout();
}

void ConfirmView::Edit() {
    form::TfmEditText edit;
    edit.eNewText = window_.Text("lblNewTxt");
    EditTextView view(edit);
    // The edit dialog reopens where the user last left it, as the floating windows do.
    view.Window().onBeforeShow = [&] {
        RestoreWindowPlace(view.Window(), window_.Handle(), settings::PlacementFile::Shared);
    };
    window_.Hide();
    const int result = view.Run(window_.Handle());
    SaveWindowPlace(view.Window(), settings::PlacementFile::Shared);
    if (result == kResultOk) {
        form_.EditAccepted(edit.eNewText);
        window_.SetText("lblNewTxt", form_.lblNewTxt);
        window_.SetVisible("lblMaxLength", form_.lblMaxLengthVisible);
        Layout();
    }
    window_.ShowFloating();
}

FoundTextView::FoundTextView()
    : window_(form::TfmFoundText::Table(), {}, FloatingOptions(Frame::Caption)) {
    window_.onResized = [this] { Layout(); };
}

void FoundTextView::Create(HWND owner) {
    window_.Create(owner);
}

void FoundTextView::Show(const form::TfmFoundText& form) {
    window_.SetTitle(form.title);
    window_.SetText("lblFoundText", form.lblFoundText);
    window_.Fit();
    window_.ShowFloating();
}

// The text wraps at the window's width and the window takes the height it needs.
void FoundTextView::Layout() {
    if (adjustingHeight_)
        return;
    const Size client = window_.ClientSize();
    form::Rect text = window_.PlacedRect("lblFoundText");
    text.width = std::max(client.width - 2 * text.x, text.x);
    text.height = window_.WrappedHeight("lblFoundText", text.width);
    window_.Place("lblFoundText", text);
    TakeClientHeight(window_, text.y + text.height + text.y, adjustingHeight_);
}

} // namespace qx::win32
