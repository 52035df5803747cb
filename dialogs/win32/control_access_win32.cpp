#include "dialogs/win32/control_access_win32.h"

#include "host/automation_contract.h"
#include "platform/win32/wide_text.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cwchar>
#include <utility>
#include <vector>

namespace qx::win32 {
namespace {

using platform::win32::Narrow;
using platform::win32::WidenLossy;

enum class Native : std::uint8_t {
    PushButton,
    CheckBox,
    RadioButton,
    GroupBox,
    Label,
    Edit,
    DropDown,
    ListBox,
    Grid,
    ScrollBox,
    Window,
    Other,
};

std::wstring ClassOf(HWND window) {
    std::array<wchar_t, 64> name{};
    const int length = GetClassNameW(window, name.data(), static_cast<int>(name.size()));
    return {name.data(), static_cast<std::size_t>(std::max(length, 0))};
}

bool SameClass(const std::wstring& a, const wchar_t* b) {
    return CompareStringOrdinal(a.c_str(), -1, b, -1, TRUE) == CSTR_EQUAL;
}

Native NativeOf(HWND window) {
    const std::wstring cls = ClassOf(window);
    if (SameClass(cls, L"Button")) {
        switch (GetWindowLongPtrW(window, GWL_STYLE) & BS_TYPEMASK) {
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
            return Native::CheckBox;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return Native::RadioButton;
        case BS_GROUPBOX:
            return Native::GroupBox;
        default:
            return Native::PushButton;
        }
    }
    if (SameClass(cls, L"Static"))
        return Native::Label;
    if (SameClass(cls, L"Edit"))
        return Native::Edit;
    if (SameClass(cls, L"ComboBox"))
        return Native::DropDown;
    if (SameClass(cls, L"ListBox"))
        return Native::ListBox;
    if (SameClass(cls, WC_LISTVIEWW))
        return Native::Grid;
    if (SameClass(cls, L"QuillexScrollBox"))
        return Native::ScrollBox;
    if (GetAncestor(window, GA_ROOT) == window)
        return Native::Window;
    return Native::Other;
}

std::string WindowText(HWND window) {
    const auto length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const auto got = SendMessageW(window, WM_GETTEXT, static_cast<WPARAM>(text.size()),
                                  reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(got));
    return Narrow(text);
}

std::string ListText(HWND list, UINT lengthMessage, UINT textMessage, int row) {
    const auto length = SendMessageW(list, lengthMessage, static_cast<WPARAM>(row), 0);
    if (length < 0)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const auto got = SendMessageW(list, textMessage, static_cast<WPARAM>(row),
                                  reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(std::max<LRESULT>(got, 0)));
    return Narrow(text);
}

std::string GridText(HWND grid, int row) {
    std::wstring text(512, L'\0');
    LVITEMW item{};
    item.iSubItem = 0;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    const auto got = SendMessageW(grid, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                                  reinterpret_cast<LPARAM>(&item));
    text.resize(static_cast<std::size_t>(std::max<LRESULT>(got, 0)));
    return Narrow(text);
}

// The enumeration callbacks are the system's calling convention (stdcall on x86), which a
// lambda cannot take; this one collects every window it is shown.
BOOL CALLBACK CollectWindow(HWND window, LPARAM windows) {
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

// Every descendant of `parent`, in the system's order.
std::vector<HWND> ChildWindows(HWND parent) {
    std::vector<HWND> all;
    EnumChildWindows(parent, CollectWindow, reinterpret_cast<LPARAM>(&all));
    return all;
}

std::vector<HWND> LabelRows(HWND box) {
    std::vector<HWND> labels;
    for (HWND child : ChildWindows(box)) {
        if (IsWindowVisible(child) && NativeOf(child) == Native::Label)
            labels.push_back(child);
    }
    const auto top = [](HWND w) {
        RECT r{};
        GetWindowRect(w, &r);
        return std::pair{r.top, r.left};
    };
    std::ranges::sort(labels, [&](HWND a, HWND b) { return top(a) < top(b); });
    return labels;
}

// Holds modifier keys down in this thread's keyboard state for as long as it lives, so that
// controls that ask GetKeyState see them as a user's held keys.
class HeldKeys {
public:
    explicit HeldKeys(form::Modifiers held) {
        GetKeyboardState(saved_.data());
        std::array<BYTE, 256> state = saved_;
        const auto press = [&](int vk, bool down) {
            state[static_cast<std::size_t>(vk)] = down ? 0x80 : 0;
        };
        press(VK_SHIFT, (held & form::kShift) != 0);
        press(VK_LSHIFT, (held & form::kShift) != 0);
        press(VK_CONTROL, (held & form::kCtrl) != 0);
        press(VK_LCONTROL, (held & form::kCtrl) != 0);
        press(VK_MENU, (held & form::kAlt) != 0);
        press(VK_LMENU, (held & form::kAlt) != 0);
        SetKeyboardState(state.data());
    }
    ~HeldKeys() { SetKeyboardState(saved_.data()); }
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

private:
    std::array<BYTE, 256> saved_{};
};

WPARAM MouseKeys(form::Modifiers held, bool right) {
    WPARAM keys = right ? MK_RBUTTON : MK_LBUTTON;
    if ((held & form::kShift) != 0)
        keys |= MK_SHIFT;
    if ((held & form::kCtrl) != 0)
        keys |= MK_CONTROL;
    return keys;
}

// A click at `at` of the window's client area: the button goes down and up there, posted as
// the mouse would post them, and handled as the view's loop would.
void ClickAt(HWND window, POINT at, bool right, form::Modifiers held) {
    const HeldKeys keys(held);
    const LPARAM where = MAKELPARAM(at.x, at.y);
    const WPARAM down = MouseKeys(held, right);
    const WPARAM up = down & ~static_cast<WPARAM>(right ? MK_RBUTTON : MK_LBUTTON);
    PostMessageW(window, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, down, where);
    PostMessageW(window, right ? WM_RBUTTONUP : WM_LBUTTONUP, up, where);
    PumpMessages();
}

struct VirtualKey {
    UINT code;
    bool extended;
};

VirtualKey VirtualKeyOf(form::Key key) {
    switch (key) {
    case form::Key::Tab:
    case form::Key::Backtab:
        return {VK_TAB, false};
    case form::Key::Enter:
        return {VK_RETURN, false};
    case form::Key::Escape:
        return {VK_ESCAPE, false};
    case form::Key::Space:
        return {VK_SPACE, false};
    case form::Key::Up:
        return {VK_UP, true};
    case form::Key::Down:
        return {VK_DOWN, true};
    case form::Key::Left:
        return {VK_LEFT, true};
    case form::Key::Right:
        return {VK_RIGHT, true};
    case form::Key::PageUp:
        return {VK_PRIOR, true};
    case form::Key::PageDown:
        return {VK_NEXT, true};
    case form::Key::Home:
        return {VK_HOME, true};
    case form::Key::End:
        return {VK_END, true};
    case form::Key::Insert:
        return {VK_INSERT, true};
    case form::Key::Delete:
        return {VK_DELETE, true};
    case form::Key::Backspace:
        return {VK_BACK, false};
    }
    return {0, false};
}

// A key stroke as the keyboard posts it to the window with the focus: down, then up. The
// view's loop turns it into characters and dialog navigation.
void Stroke(UINT vk, bool extended, form::Modifiers held) {
    const HeldKeys keys(held);
    HWND target = GetFocus();
    if (target == nullptr)
        return;
    const UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    const LPARAM base = 1 | (static_cast<LPARAM>(scan & 0xFF) << 16) | (extended ? 1 << 24 : 0);
    const bool alt = (held & form::kAlt) != 0;
    const LPARAM altBit = alt ? (1 << 29) : 0;
    PostMessageW(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, base | altBit);
    PostMessageW(target, alt ? WM_SYSKEYUP : WM_KEYUP, vk,
                 base | altBit | (static_cast<LPARAM>(3) << 30));
    PumpMessages();
}

void TypeUnit(wchar_t unit) {
    HWND target = GetFocus();
    if (target != nullptr)
        PostMessageW(target, WM_CHAR, unit, 1);
}

class Win32Control final : public form::Control {
public:
    explicit Win32Control(HWND window) : window_(window), native_(NativeOf(window)) {}

    std::string Text() const override {
        if (!alive())
            return {};
        return WindowText(window_);
    }
    bool Checked() const override {
        if (!alive() || (native_ != Native::CheckBox && native_ != Native::RadioButton))
            return false;
        return SendMessageW(window_, BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    bool Enabled() const override { return alive() && IsWindowEnabled(window_) != 0; }
    bool Visible() const override { return alive() && IsWindowVisible(window_) != 0; }
    bool Focused() const override {
        const HWND focus = GetFocus();
        return alive() && focus != nullptr && (focus == window_ || IsChild(window_, focus));
    }
    std::vector<std::string> Items() const override {
        std::vector<std::string> items;
        if (!alive())
            return items;
        switch (native_) {
        case Native::DropDown:
            for (int i = 0, n = count(CB_GETCOUNT); i < n; ++i)
                items.push_back(ListText(window_, CB_GETLBTEXTLEN, CB_GETLBTEXT, i));
            break;
        case Native::ListBox:
            for (int i = 0, n = count(LB_GETCOUNT); i < n; ++i)
                items.push_back(ListText(window_, LB_GETTEXTLEN, LB_GETTEXT, i));
            break;
        case Native::Grid:
            for (int i = 0, n = count(LVM_GETITEMCOUNT); i < n; ++i)
                items.push_back(GridText(window_, i));
            break;
        case Native::ScrollBox:
            for (HWND label : LabelRows(window_))
                items.push_back(WindowText(label));
            break;
        default:
            break;
        }
        return items;
    }
    int CurrentItem() const override {
        if (!alive())
            return -1;
        switch (native_) {
        case Native::DropDown:
            return static_cast<int>(SendMessageW(window_, CB_GETCURSEL, 0, 0));
        case Native::ListBox:
            return static_cast<int>(SendMessageW(window_, LB_GETCURSEL, 0, 0));
        case Native::Grid:
            return static_cast<int>(
                SendMessageW(window_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
        default:
            return -1;
        }
    }

    std::string Click(const form::ClickAt& at) override {
        if (!usable())
            return "the control cannot be used";
        if (at.row || at.belowRows)
            return ClickRow(at);
        if (!at.rightButton && at.held == form::kNoModifier &&
            (native_ == Native::PushButton || native_ == Native::CheckBox ||
             native_ == Native::RadioButton)) {
            // The button's own click: down and up inside it, and its notification.
            SendMessageW(window_, BM_CLICK, 0, 0);
            PumpMessages();
            return {};
        }
        RECT client{};
        GetClientRect(window_, &client);
        ClickAt(window_, {client.right / 2, client.bottom / 2}, at.rightButton, at.held);
        return {};
    }
    std::string SetChecked(bool checked) override {
        if (native_ != Native::CheckBox && native_ != Native::RadioButton)
            return "the control cannot be ticked";
        if (!usable())
            return "the control cannot be used";
        if (Checked() != checked) {
            SendMessageW(window_, BM_CLICK, 0, 0);
            PumpMessages();
        }
        return {};
    }
    std::string ReplaceText(std::string_view utf8) override {
        if (!usable())
            return "the control cannot be used";
        focus();
        // What Ctrl+A does in a field: the whole text selected, for Delete to remove.
        SendMessageW(window_, EM_SETSEL, 0, -1);
        Stroke(VK_DELETE, true, form::kNoModifier);
        for (const wchar_t unit : WidenLossy(utf8)) {
            TypeUnit(unit);
            PumpMessages();
        }
        return {};
    }
    std::string ChooseItem(int index) override {
        if (!usable())
            return "the control cannot be used";
        if (native_ == Native::ListBox)
            return ClickRow({index, false, false, form::kNoModifier});
        if (native_ != Native::DropDown)
            return "the control has no entries to choose";
        if (index < 0 || index >= count(CB_GETCOUNT))
            return "the list has no entry " + std::to_string(index);
        // A pick from the dropped list: the entry is taken and the window hears of it as of a
        // user's pick, also when the entry stays the same.
        focus();
        SendMessageW(window_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        notify(CBN_SELCHANGE);
        notify(CBN_SELENDOK);
        notify(CBN_CLOSEUP);
        PumpMessages();
        return {};
    }
    std::string PressKey(form::Key key, form::Modifiers held) override {
        if (!alive())
            return "the control is gone";
        focus();
        const VirtualKey vk = VirtualKeyOf(key);
        if (key == form::Key::Backtab)
            held |= form::kShift;
        Stroke(vk.code, vk.extended, held);
        return {};
    }
    std::string TypeCharacter(char32_t c, form::Modifiers held) override {
        if (!alive())
            return "the control is gone";
        focus();
        // A character on the keyboard is typed with its key, so that held modifiers make a
        // command of it as they would for a user; any other arrives as the character alone,
        // as an input method delivers it.
        if (c < 0x80) {
            const SHORT scan = VkKeyScanW(static_cast<wchar_t>(c));
            if (scan != -1) {
                form::Modifiers withShift = held;
                if ((HIBYTE(scan) & 1) != 0)
                    withShift |= form::kShift;
                Stroke(LOBYTE(scan), false, withShift);
                return {};
            }
        }
        std::wstring units;
        if (c < 0x10000) {
            units.push_back(static_cast<wchar_t>(c));
        } else {
            const char32_t v = c - 0x10000;
            units.push_back(static_cast<wchar_t>(0xD800 + (v >> 10)));
            units.push_back(static_cast<wchar_t>(0xDC00 + (v & 0x3FF)));
        }
        const HeldKeys keys(held);
        for (const wchar_t unit : units)
            TypeUnit(unit);
        PumpMessages();
        return {};
    }

private:
    bool alive() const { return IsWindow(window_) != 0; }
    bool usable() const { return alive() && IsWindowEnabled(window_) && IsWindowVisible(window_); }
    int count(UINT message) const {
        return static_cast<int>(std::max<LRESULT>(SendMessageW(window_, message, 0, 0), 0));
    }
    // A person's keys reach the control that has the focus.
    void focus() const {
        if (GetFocus() != window_)
            SetFocus(window_);
    }
    void notify(WORD code) const {
        SendMessageW(GetParent(window_), WM_COMMAND,
                     MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(window_)), code),
                     reinterpret_cast<LPARAM>(window_));
    }

    // A click on a row of a list or grid, scrolled into sight first, or below the last row.
    std::string ClickRow(const form::ClickAt& at) {
        if (native_ != Native::ListBox && native_ != Native::Grid)
            return "the control has no rows";
        const bool grid = native_ == Native::Grid;
        const int rows = count(grid ? LVM_GETITEMCOUNT : LB_GETCOUNT);
        RECT client{};
        GetClientRect(window_, &client);
        POINT point{client.right / 2, 0};
        if (at.belowRows) {
            int bottom = 0;
            if (rows > 0) {
                const RECT last = rowRect(rows - 1);
                bottom = last.bottom;
            }
            if (bottom >= client.bottom)
                return "there is no empty area below the last row";
            point.y = (bottom + client.bottom) / 2;
        } else {
            const int row = *at.row;
            if (row < 0 || row >= rows)
                return "there is no row " + std::to_string(row) + " (there are " +
                       std::to_string(rows) + ")";
            if (grid)
                SendMessageW(window_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
            else
                SendMessageW(window_, LB_SETTOPINDEX, static_cast<WPARAM>(row), 0);
            const RECT r = rowRect(row);
            point.y = (r.top + r.bottom) / 2;
        }
        focus();
        ClickAt(window_, point, at.rightButton, at.held);
        return {};
    }
    RECT rowRect(int row) const {
        RECT r{};
        if (native_ == Native::Grid) {
            r.left = LVIR_BOUNDS;
            SendMessageW(window_, LVM_GETITEMRECT, static_cast<WPARAM>(row),
                         reinterpret_cast<LPARAM>(&r));
        } else {
            SendMessageW(window_, LB_GETITEMRECT, static_cast<WPARAM>(row),
                         reinterpret_cast<LPARAM>(&r));
        }
        return r;
    }

    HWND window_;
    Native native_;
};

std::vector<HWND> NamedThreadWindows() {
    std::vector<HWND> all;
    EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&all));
    std::vector<HWND> named;
    for (HWND window : all) {
        if (IsWindowVisible(window) && !AutomationName(window).empty())
            named.push_back(window);
    }
    return named;
}

} // namespace

std::string AutomationName(HWND window) {
    const auto atom = static_cast<ATOM>(
        reinterpret_cast<UINT_PTR>(GetPropW(window, automation::kWin32NameProperty)));
    if (atom == 0)
        return {};
    std::array<wchar_t, 256> name{};
    const UINT length = GlobalGetAtomNameW(atom, name.data(), static_cast<int>(name.size()));
    return Narrow({name.data(), length});
}

HWND OpenWindowNamed(std::string_view name) {
    for (HWND window : NamedThreadWindows()) {
        if (AutomationName(window) == name)
            return window;
    }
    return nullptr;
}

namespace {

LOGFONTW FontOf(HFONT font) {
    LOGFONTW logical{};
    if (font == nullptr)
        font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    GetObjectW(font, sizeof logical, &logical);
    return logical;
}

HFONT ControlFont(HWND control) {
    return reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
}

} // namespace

PaintedLook LookOfControl(HWND control) {
    // The parent sets the text colour on the device context the control asks it about, as it
    // does before every painting.
    const HDC dc = CreateCompatibleDC(nullptr);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    const Native native = NativeOf(control);
    const bool editable =
        native == Native::Edit && (GetWindowLongPtrW(control, GWL_STYLE) & ES_READONLY) == 0;
    const UINT message = editable                       ? WM_CTLCOLOREDIT
                         : native == Native::PushButton ? WM_CTLCOLORBTN
                         : native == Native::ListBox    ? WM_CTLCOLORLISTBOX
                                                        : WM_CTLCOLORSTATIC;
    SendMessageW(GetParent(control), message, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(control));
    PaintedLook look{GetTextColor(dc), FontOf(ControlFont(control))};
    DeleteDC(dc);
    return look;
}

PaintedLook LookOfGridRow(HWND grid, int row) {
    const HDC dc = CreateCompatibleDC(nullptr);
    const HFONT gridFont = ControlFont(grid);
    const HGDIOBJ previous = gridFont != nullptr ? SelectObject(dc, gridFont) : nullptr;
    NMLVCUSTOMDRAW draw{};
    draw.nmcd.hdr.hwndFrom = grid;
    draw.nmcd.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(grid));
    draw.nmcd.hdr.code = NM_CUSTOMDRAW;
    draw.nmcd.hdc = dc;
    draw.clrText = CLR_DEFAULT;
    draw.clrTextBk = CLR_DEFAULT;
    // The painting asks first whether the parent draws rows of its own, then about the row.
    draw.nmcd.dwDrawStage = CDDS_PREPAINT;
    const LRESULT wants = SendMessageW(GetParent(grid), WM_NOTIFY, draw.nmcd.hdr.idFrom,
                                       reinterpret_cast<LPARAM>(&draw));
    if ((wants & CDRF_NOTIFYITEMDRAW) != 0) {
        draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
        draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(row);
        SendMessageW(GetParent(grid), WM_NOTIFY, draw.nmcd.hdr.idFrom,
                     reinterpret_cast<LPARAM>(&draw));
    }
    PaintedLook look{draw.clrText == CLR_DEFAULT ? GetSysColor(COLOR_WINDOWTEXT) : draw.clrText,
                     FontOf(static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT)))};
    if (previous != nullptr)
        SelectObject(dc, previous);
    DeleteDC(dc);
    return look;
}

std::string HintOf(HWND control) {
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&windows));
    const HWND owners[] = {GetParent(control), GetAncestor(control, GA_ROOT)};
    for (HWND tip : windows) {
        if (!SameClass(ClassOf(tip), TOOLTIPS_CLASSW))
            continue;
        for (HWND owner : owners) {
            std::wstring text(1024, L'\0');
            TOOLINFOW tool{};
            tool.cbSize = sizeof tool;
            tool.uFlags = TTF_IDISHWND;
            tool.hwnd = owner;
            tool.uId = reinterpret_cast<UINT_PTR>(control);
            tool.lpszText = text.data();
            if (SendMessageW(tip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)) == 0)
                continue;
            tool.lpszText = text.data();
            SendMessageW(tip, TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&tool));
            text.resize(std::wcslen(text.c_str()));
            return Narrow(text);
        }
    }
    return {};
}

void PumpMessages() {
    // Bounded, so that a window that keeps posting to itself cannot hold the automation.
    constexpr int kMostMessages = 10000;
    MSG message{};
    for (int handled = 0;
         handled < kMostMessages && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != 0;
         ++handled) {
        if (message.message == WM_QUIT) {
            // The quit belongs to the program's own loop.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        const HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
        if (root != nullptr && IsDialogMessageW(root, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

std::vector<std::string> Win32ControlAccess::OpenWindows() const {
    std::vector<std::string> names;
    const HWND active = GetActiveWindow();
    const std::string activeName = active != nullptr ? AutomationName(active) : std::string{};
    if (!activeName.empty() && IsWindowVisible(active))
        names.push_back(activeName);
    for (HWND window : NamedThreadWindows()) {
        if (window != active)
            names.push_back(AutomationName(window));
    }
    return names;
}

std::unique_ptr<form::Control> Win32ControlAccess::Find(std::string_view window,
                                                        std::string_view control) const {
    const HWND found = NamedControl(window, control);
    if (found == nullptr)
        return nullptr;
    return std::make_unique<Win32Control>(found);
}

HWND NamedControl(std::string_view window, std::string_view control) {
    const HWND top = OpenWindowNamed(window);
    if (top == nullptr || control == window)
        return top;
    for (HWND child : ChildWindows(top)) {
        if (AutomationName(child) == control)
            return child;
    }
    return nullptr;
}

std::vector<HWND> ScrollBoxRows(HWND box) {
    return LabelRows(box);
}

} // namespace qx::win32
