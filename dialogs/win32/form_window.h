// The native view engine: builds a window and its controls from a form's table with
// CreateWindowExW, grows the controls to their texts as measured with GDI, keeps them to their
// anchors when the window is resized, walks the form's tab order, and runs the window either
// as a modal dialog inside the call or as a floating window that outlives it.
//
// Controls are created as children of the window itself (a group box only frames them), so that
// their notifications, colours and keyboard navigation all reach the window; the table's
// parents decide where they are placed and what moves them. The controls of a scroll box are
// its own children and are placed by the view that fills it.
//
// Names are the table's names; texts are UTF-8 on this side and UTF-16 towards Windows.
#pragma once

#include "dialogs/form/control_table.h"
#include "dialogs/win32/dialog_font.h"
#include "dialogs/win32/table_fit.h"

#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qx::win32 {

// The window's title bar.
enum class Frame : std::uint8_t {
    Caption,  // a title, no title-bar buttons: it closes through its own buttons only
    CloseBox, // a title with a close button
};

// Which of its sides the user may drag.
enum class Sizing : std::uint8_t {
    Fixed,
    WidthOnly,
    Free,
    // The user sets the width; the view sets the height its texts need.
    HeightFollowsTexts,
};

enum class Stacking : std::uint8_t { Normal, TopMost };

struct WindowOptions {
    Frame frame = Frame::Caption;
    Sizing sizing = Sizing::Fixed;
    Stacking stacking = Stacking::Normal;
    // The least outer size as designed; it grows by what the fitting adds. 0 for no bound.
    Size leastOuter{};
    // The button Enter presses and the one Esc presses, where the table does not say; empty
    // when the key does nothing.
    std::string_view defaultButton;
    std::string_view cancelButton;
};

class FormWindow {
public:
    FormWindow(form::ControlTable table, form::TabOrder tabOrder, WindowOptions options);
    virtual ~FormWindow();
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    // Creates the window (hidden) and its controls, then fits them to their texts.
    void Create(HWND owner);
    HWND Handle() const { return window_; }
    std::string_view Name() const;
    form::ControlTable Table() const { return table_; }

    // The control named `name` (for a spin field its text field), or nullptr.
    HWND Control(std::string_view name) const;
    // The up-down arrows of a spin field, or nullptr.
    HWND SpinArrows(std::string_view name) const;
    // The name of a control of this window, empty for a window that is not one.
    std::string_view NameOf(HWND control) const;
    const form::ControlSpec* Spec(std::string_view name) const;

    // What the user sees, set and read as the controls hold it.
    void SetText(std::string_view name, std::string_view utf8);
    std::string Text(std::string_view name) const;
    void SetTitle(std::string_view utf8);
    void SetChecked(std::string_view name, bool checked);
    bool Checked(std::string_view name) const;
    void SetItems(std::string_view name, const std::vector<std::string>& items);
    void SetCurrentItem(std::string_view name, int index);
    int CurrentItem(std::string_view name) const;
    void SetVisible(std::string_view name, bool visible);
    void SetEnabled(std::string_view name, bool enabled);
    void SetTabStop(std::string_view name, bool tabStop);
    void SetTextLimit(std::string_view name, int characters);
    void SetTextColour(std::string_view name, COLORREF colour);
    void SetFontStyle(std::string_view name, FontStyles styles);
    // A button the view paints itself (onDrawItem), as for a picture beside its caption.
    void SetOwnerDrawn(std::string_view name);
    void Focus(std::string_view name);
    // Puts a control at `rect` of its parent's client area, as a view's own layout does.
    void Place(std::string_view name, const form::Rect& rect);
    // The control's present rectangle in its parent's client area (the table's parent).
    form::Rect PlacedRect(std::string_view name) const;
    // The size of the area a scroll box scrolls over.
    void SetScrollExtent(std::string_view name, Size extent);

    // Measures every text as it is now, grows the controls and the window to them and places
    // them for the window's present size. Views call it again after changing texts.
    void Fit();
    // Places every control for the window's present size by its anchors.
    void Layout();
    // The least size of a control's text in the window's font, as the fitting measured it.
    Size LeastTextSize(std::string_view name) const;
    int WrappedHeight(std::string_view name, int width) const;
    int LineHeight() const;
    // The rectangle the fitting gave a control, at the window's fitted size.
    form::Rect FittedRect(std::string_view name) const;
    Size ClientSize() const;
    // Sets the window's outer height, keeping its width.
    void SetOuterHeight(int height);
    int OuterWidth() const;

    // Shows the window as a modal dialog owned by `owner`'s top-level window, which is
    // disabled meanwhile, and returns its result once a button, Enter, Esc or the close box
    // ended it.
    int RunModal(HWND owner);
    void EndModal(int result);
    bool IsModal() const { return modal_; }
    // Shows the window without taking the focus from the host and returns at once.
    void ShowFloating();
    void Hide();

    // A button whose click ends the modal dialog with `result`.
    void SetResultButton(std::string_view name, int result);

    // Run once the dialog is built and filled, just before a modal run shows it: where the
    // window is placed.
    std::function<void()> onBeforeShow;
    // What the view adds: run after the engine's own handling.
    std::function<void(std::string_view name, UINT code)> onCommand;
    std::function<std::optional<LRESULT>(std::string_view name, NMHDR& header)> onNotify;
    // After every layout for a new size, for the view's own placing of texts.
    std::function<void()> onResized;
    // An owner-drawn control (SetOwnerDrawn) to be painted: true when the view painted it.
    std::function<bool(std::string_view name, const DRAWITEMSTRUCT& item)> onDrawItem;
    // The close box of a window that is not modal.
    std::function<void()> onClose;
    // A character typed into a control: false refuses it (with a beep).
    std::function<bool(std::string_view name, wchar_t c)> onCharacter;
    // The text colour of a control the view made itself (not in the table), if it has one.
    std::function<std::optional<COLORREF>(HWND control)> onTextColour;
    // Any other message to a control, before the control sees it (clicks, keys): true when the
    // view consumed it.
    std::function<bool(std::string_view name, UINT message, WPARAM wParam, LPARAM lParam)>
        onControlMessage;

    // A host that drives modal dialogs itself (its automation): given a dialog, shown and ready
    // for input, it uses the controls and answers the dialog's result, or nothing to leave the
    // dialog to the user. Windows and controls carry their names as the automation contract
    // (host/automation_contract.h) describes.
    static void SetModalHost(std::function<std::optional<int>(HWND dialog)> host);

    // The windows of this engine that exist now, the most recently created last.
    static const std::vector<FormWindow*>& Live();
    static FormWindow* FromHandle(HWND window);

private:
    class Needs;

    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK ScrollBoxProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam);
    static void HookKeyboard(bool wanted);
    static LRESULT CALLBACK ControlProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControl(std::size_t row);
    void ArrangeTabOrder();
    void MoveControl(std::size_t row, const form::Rect& rect);
    void Command(HWND control, int id, UINT code);
    std::optional<LRESULT> Notify(NMHDR& header);
    void StepSpin(std::size_t row, int delta);
    LRESULT ControlColour(HDC dc, HWND control);
    void MinMaxInfo(MINMAXINFO& info) const;
    Size OuterFor(Size client) const;
    form::Rect Absolute(std::size_t row, const form::Rect& rect) const;
    int RowOf(std::string_view name) const;
    int RowOfHandle(HWND control) const;

    form::ControlTable table_;
    form::TabOrder tabOrder_;
    WindowOptions options_;
    HWND window_ = nullptr;
    std::vector<HWND> controls_;
    std::vector<HWND> spinArrows_;
    std::vector<COLORREF> colours_;
    std::vector<bool> coloured_;
    std::vector<form::Rect> placed_;
    std::map<std::size_t, int> results_;
    FittedTable fitted_;
    Size growth_{};
    Size lastFitted_{};
    int defaultRow_ = -1;
    int cancelRow_ = -1;
    bool modal_ = false;
    bool floating_ = false;
    bool running_ = false;
    int result_ = 0;
};

} // namespace qx::win32
