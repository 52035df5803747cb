#include "dialogs/win32/form_window.h"

#include "dialogs/dialog_result.h"
#include "dialogs/win32/text_measure.h"
#include "dialogs/win32/wide_text.h"
#include "host/automation_contract.h"
#include "platform/platform.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <cwchar>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace qx::win32 {
namespace {

using form::Kind;

constexpr wchar_t kWindowClass[] = L"QuillexFormWindow";
constexpr wchar_t kScrollBoxClass[] = L"QuillexScrollBox";
// Control IDs are the table's rows after this base, clear of IDOK and IDCANCEL.
constexpr int kFirstId = 100;
// Room a drop-down list's list takes below its field when it opens, in items.
constexpr int kDroppedItems = 8;
constexpr UINT_PTR kSubclassId = 1;

HINSTANCE Module() {
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

void RegisterClasses(WNDPROC windowProc, WNDPROC scrollProc) {
    static const bool registered = [&] {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS |
                                                           ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&controls);
        WNDCLASSEXW window{};
        window.cbSize = sizeof window;
        window.lpfnWndProc = windowProc;
        window.hInstance = Module();
        window.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        window.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        window.lpszClassName = kWindowClass;
        RegisterClassExW(&window);
        WNDCLASSEXW scroll = window;
        scroll.lpfnWndProc = scrollProc;
        scroll.lpszClassName = kScrollBoxClass;
        RegisterClassExW(&scroll);
        return true;
    }();
    (void)registered;
}

std::vector<FormWindow*>& Registry() {
    static std::vector<FormWindow*> windows;
    return windows;
}

std::wstring WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

std::vector<std::wstring> ComboItems(HWND combo) {
    std::vector<std::wstring> items;
    const auto count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const auto length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring item(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(item.data()));
        item.resize(static_cast<std::size_t>(std::max<LRESULT>(length, 0)));
        items.push_back(item);
    }
    return items;
}

struct ClassAndStyle {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

ClassAndStyle NativeOf(Kind kind) {
    switch (kind) {
    case Kind::GroupBox:
        return {L"BUTTON", BS_GROUPBOX, 0};
    case Kind::CheckBox:
        return {L"BUTTON", BS_AUTOCHECKBOX, 0};
    case Kind::RadioButton:
        // Checked by the engine, so that a group is the table's parent whatever the tab order.
        return {L"BUTTON", BS_RADIOBUTTON, 0};
    case Kind::Button:
        return {L"BUTTON", BS_PUSHBUTTON, 0};
    case Kind::Label:
        return {L"STATIC", SS_LEFTNOWORDWRAP, 0};
    case Kind::WrapLabel:
        return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
    case Kind::Edit:
        return {L"EDIT", ES_AUTOHSCROLL | ES_LEFT, WS_EX_CLIENTEDGE};
    case Kind::SpinEdit:
        return {L"EDIT", ES_AUTOHSCROLL | ES_LEFT, WS_EX_CLIENTEDGE};
    case Kind::DropDownList:
        return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, 0};
    case Kind::ListBox:
        return {L"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL, WS_EX_CLIENTEDGE};
    case Kind::Grid:
        return {WC_LISTVIEWW,
                LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_VSCROLL,
                WS_EX_CLIENTEDGE};
    case Kind::ScrollBox:
        return {kScrollBoxClass, WS_VSCROLL | WS_HSCROLL, WS_EX_CONTROLPARENT};
    case Kind::Window:
        break;
    }
    return {L"STATIC", 0, 0};
}

// The whole number a spin field's text reads as; text that is none reads as 0.
int ReadWholeNumber(const std::wstring& text) {
    wchar_t* end = nullptr;
    errno = 0;
    const long value = std::wcstol(text.c_str(), &end, 10);
    if (end == text.c_str() || *end != L'\0' || errno == ERANGE || value > INT_MAX ||
        value < INT_MIN)
        return 0;
    return static_cast<int>(value);
}

// A window's or control's name where a host's automation in another module finds it.
void MarkName(HWND window, std::string_view name) {
    const std::wstring wide = Widen(name);
    const ATOM atom = GlobalAddAtomW(wide.c_str());
    if (atom != 0)
        SetPropW(window, automation::kWin32NameProperty,
                 reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(atom)));
}

void UnmarkName(HWND window) {
    const auto atom = static_cast<ATOM>(
        reinterpret_cast<UINT_PTR>(RemovePropW(window, automation::kWin32NameProperty)));
    if (atom != 0)
        GlobalDeleteAtom(atom);
}

std::function<std::optional<int>(HWND)>& ModalHost() {
    static std::function<std::optional<int>(HWND)> host;
    return host;
}

} // namespace

// The measures the fitting asks for, taken from the controls' present texts.
class FormWindow::Needs : public TextNeeds {
public:
    explicit Needs(const FormWindow& window) : window_(window), measure_(DialogFont()) {}

    Size Least(std::size_t row) const override {
        const Kind kind = window_.table_[row].kind;
        HWND control = window_.controls_[row];
        if (kind == Kind::Window || control == nullptr)
            return {};
        const std::wstring text = WindowText(control);
        if (kind == Kind::DropDownList) {
            const std::vector<std::wstring> items = ComboItems(control);
            return measure_.LeastSize(kind, text, items);
        }
        return measure_.LeastSize(kind, text);
    }
    int HeightForWidth(std::size_t row, int width) const override {
        const Kind kind = window_.table_[row].kind;
        HWND control = window_.controls_[row];
        if (control == nullptr)
            return 0;
        return measure_.HeightForWidth(kind, WindowText(control), width);
    }
    int TextSpacing(std::size_t) const override { return measure_.SpaceWidth(); }
    int TitleHeight(std::size_t) const override { return measure_.LineHeight(); }

    const TextMeasure& Measure() const { return measure_; }

private:
    const FormWindow& window_;
    TextMeasure measure_;
};

FormWindow::FormWindow(form::ControlTable table, form::TabOrder tabOrder, WindowOptions options)
    : table_(table), tabOrder_(tabOrder), options_(options) {
    const std::size_t rows = table.size();
    controls_.assign(rows, nullptr);
    spinArrows_.assign(rows, nullptr);
    colours_.assign(rows, 0);
    coloured_.assign(rows, false);
    placed_.resize(rows);
    for (std::size_t row = 0; row < rows; ++row) {
        placed_[row] = table[row].rect;
        if (table[row].role == form::Role::Default)
            defaultRow_ = static_cast<int>(row);
        if (table[row].role == form::Role::Cancel)
            cancelRow_ = static_cast<int>(row);
    }
    if (!options_.defaultButton.empty())
        defaultRow_ = RowOf(options_.defaultButton);
    if (!options_.cancelButton.empty())
        cancelRow_ = RowOf(options_.cancelButton);
}

FormWindow::~FormWindow() {
    auto& live = Registry();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
    HookKeyboard(std::any_of(live.begin(), live.end(),
                             [](const FormWindow* form) { return form->floating_; }));
    if (window_ != nullptr) {
        for (HWND control : controls_)
            if (control != nullptr)
                UnmarkName(control);
        UnmarkName(window_);
        RemovePropW(window_, automation::kWin32ResultProperty);
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

void FormWindow::SetModalHost(std::function<std::optional<int>(HWND dialog)> host) {
    ModalHost() = std::move(host);
}

const std::vector<FormWindow*>& FormWindow::Live() {
    return Registry();
}

FormWindow* FormWindow::FromHandle(HWND window) {
    for (FormWindow* form : Registry())
        if (form->window_ == window)
            return form;
    return nullptr;
}

std::string_view FormWindow::Name() const {
    return table_.empty() ? std::string_view{} : table_[0].name;
}

void FormWindow::Create(HWND owner) {
    if (window_ != nullptr || table_.empty())
        return;
    RegisterClasses(&FormWindow::WindowProc, &FormWindow::ScrollBoxProc);
    // Not clipping its children: a group box paints only its frame, and the window's face must
    // show through it.
    DWORD style = WS_POPUP | WS_CAPTION;
    if (options_.frame == Frame::CloseBox)
        style |= WS_SYSMENU;
    if (options_.sizing != Sizing::Fixed)
        style |= WS_THICKFRAME;
    DWORD exStyle = WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME;
    if (options_.stacking == Stacking::TopMost)
        exStyle |= WS_EX_TOPMOST;
    const form::Rect& client = table_[0].rect;
    const Size outer = [&] {
        RECT area{0, 0, client.width, client.height};
        AdjustWindowRectEx(&area, style, FALSE, exStyle);
        return Size{area.right - area.left, area.bottom - area.top};
    }();
    const std::wstring title = Widen(table_[0].caption);
    window_ =
        CreateWindowExW(exStyle, kWindowClass, title.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                        outer.width, outer.height, owner, nullptr, Module(), this);
    if (window_ == nullptr)
        return;
    Registry().push_back(this);
    MarkName(window_, Name());
    for (std::size_t row = 1; row < table_.size(); ++row)
        CreateControl(row);
    ArrangeTabOrder();
    lastFitted_ = {client.width, client.height};
    Fit();
}

void FormWindow::CreateControl(std::size_t row) {
    const form::ControlSpec& spec = table_[row];
    const ClassAndStyle native = NativeOf(spec.kind);
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | native.style;
    // Every control starts a group of its own: radio buttons are grouped by their parent in
    // the table, and arrow keys never wander off a control the tab order did not choose.
    style |= WS_GROUP;
    if (static_cast<int>(row) == defaultRow_)
        style = (style & ~static_cast<DWORD>(BS_PUSHBUTTON)) | BS_DEFPUSHBUTTON;
    const int parentRow = RowNamed(table_, spec.parent);
    const bool inScrollBox =
        parentRow > 0 && table_[static_cast<std::size_t>(parentRow)].kind == Kind::ScrollBox;
    HWND parent = inScrollBox ? controls_[static_cast<std::size_t>(parentRow)] : window_;
    const std::wstring caption =
        spec.kind == Kind::Edit || spec.kind == Kind::SpinEdit || spec.kind == Kind::DropDownList
            ? std::wstring{}
            : Widen(spec.caption);
    const auto id = static_cast<INT_PTR>(kFirstId + static_cast<int>(row));
    HWND control = CreateWindowExW(native.exStyle, native.className, caption.c_str(), style, 0, 0,
                                   0, 0, parent, reinterpret_cast<HMENU>(id), Module(), nullptr);
    controls_[row] = control;
    if (control == nullptr)
        return;
    MarkName(control, spec.name);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont()), FALSE);
    SetWindowSubclass(control, &FormWindow::ControlProc, kSubclassId,
                      reinterpret_cast<DWORD_PTR>(this));
    for (const std::string_view item : spec.items) {
        const std::wstring wide = Widen(item);
        SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    }
    if (spec.kind == Kind::DropDownList && !spec.items.empty())
        SendMessageW(control, CB_SETCURSEL, 0, 0);
    if (spec.maxLength > 0)
        SendMessageW(control, EM_LIMITTEXT, static_cast<WPARAM>(spec.maxLength), 0);
    if (spec.kind == Kind::SpinEdit) {
        HWND arrows = CreateWindowExW(0, UPDOWN_CLASSW, L"",
                                      WS_CHILD | WS_VISIBLE | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0, 0,
                                      0, 0, parent, nullptr, Module(), nullptr);
        SendMessageW(arrows, UDM_SETBUDDY, reinterpret_cast<WPARAM>(control), 0);
        SendMessageW(arrows, UDM_SETRANGE32, static_cast<WPARAM>(-1000000), 1000000);
        spinArrows_[row] = arrows;
    }
    if (spec.kind == Kind::Grid) {
        LVCOLUMNW column{};
        column.mask = LVCF_WIDTH;
        column.cx = spec.rect.width;
        SendMessageW(control, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
        SendMessageW(control, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
                     LVS_EX_FULLROWSELECT);
    }
    // Controls take the tab order's stops only; the order itself is arranged once all exist.
    SetWindowLongPtrW(control, GWL_STYLE,
                      GetWindowLongPtrW(control, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_TABSTOP));
}

void FormWindow::ArrangeTabOrder() {
    // Dialog navigation walks the window's children in z-order, so the tab order's controls go
    // first, in its order; group boxes go last, where they frame without hiding anything.
    HWND previous = HWND_TOP;
    for (const std::string_view name : tabOrder_) {
        HWND control = Control(name);
        if (control == nullptr || GetParent(control) != window_)
            continue;
        SetWindowPos(control, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SetTabStop(name, true);
        previous = control;
        const int row = RowOf(name);
        if (HWND arrows = spinArrows_[static_cast<std::size_t>(row)]) {
            SetWindowPos(arrows, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            previous = arrows;
        }
    }
    for (std::size_t row = 1; row < table_.size(); ++row)
        if (table_[row].kind == Kind::GroupBox && controls_[row] != nullptr)
            SetWindowPos(controls_[row], HWND_BOTTOM, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

int FormWindow::RowOf(std::string_view name) const {
    return RowNamed(table_, name);
}

int FormWindow::RowOfHandle(HWND control) const {
    if (control == nullptr)
        return -1;
    for (std::size_t row = 0; row < controls_.size(); ++row)
        if (controls_[row] == control || spinArrows_[row] == control)
            return static_cast<int>(row);
    return -1;
}

HWND FormWindow::Control(std::string_view name) const {
    const int row = RowOf(name);
    if (row < 0)
        return nullptr;
    return row == 0 ? window_ : controls_[static_cast<std::size_t>(row)];
}

HWND FormWindow::SpinArrows(std::string_view name) const {
    const int row = RowOf(name);
    return row < 0 ? nullptr : spinArrows_[static_cast<std::size_t>(row)];
}

std::string_view FormWindow::NameOf(HWND control) const {
    if (control == window_ && window_ != nullptr)
        return Name();
    const int row = RowOfHandle(control);
    return row < 0 ? std::string_view{} : table_[static_cast<std::size_t>(row)].name;
}

const form::ControlSpec* FormWindow::Spec(std::string_view name) const {
    const int row = RowOf(name);
    return row < 0 ? nullptr : &table_[static_cast<std::size_t>(row)];
}

void FormWindow::SetText(std::string_view name, std::string_view utf8) {
    if (HWND control = Control(name))
        SetWindowTextW(control, Widen(utf8).c_str());
}

std::string FormWindow::Text(std::string_view name) const {
    HWND control = Control(name);
    if (control == nullptr)
        return {};
    const form::ControlSpec* spec = Spec(name);
    if (spec != nullptr && spec->kind == Kind::DropDownList) {
        const int current = CurrentItem(name);
        const std::vector<std::wstring> items = ComboItems(control);
        return current < 0 ? std::string{} : Narrow(items[static_cast<std::size_t>(current)]);
    }
    return Narrow(WindowText(control));
}

void FormWindow::SetTitle(std::string_view utf8) {
    if (window_ != nullptr)
        SetWindowTextW(window_, Widen(utf8).c_str());
}

void FormWindow::SetChecked(std::string_view name, bool checked) {
    if (HWND control = Control(name))
        SendMessageW(control, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool FormWindow::Checked(std::string_view name) const {
    HWND control = Control(name);
    return control != nullptr && SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void FormWindow::SetItems(std::string_view name, const std::vector<std::string>& items) {
    HWND control = Control(name);
    const form::ControlSpec* spec = Spec(name);
    if (control == nullptr || spec == nullptr)
        return;
    const bool combo = spec->kind == Kind::DropDownList;
    SendMessageW(control, combo ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
    for (const std::string& item : items) {
        const std::wstring wide = Widen(item);
        SendMessageW(control, combo ? CB_ADDSTRING : LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(wide.c_str()));
    }
}

void FormWindow::SetCurrentItem(std::string_view name, int index) {
    HWND control = Control(name);
    const form::ControlSpec* spec = Spec(name);
    if (control == nullptr || spec == nullptr)
        return;
    const bool combo = spec->kind == Kind::DropDownList;
    SendMessageW(control, combo ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int FormWindow::CurrentItem(std::string_view name) const {
    HWND control = Control(name);
    const form::ControlSpec* spec = Spec(name);
    if (control == nullptr || spec == nullptr)
        return -1;
    const bool combo = spec->kind == Kind::DropDownList;
    return static_cast<int>(SendMessageW(control, combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0));
}

void FormWindow::SetVisible(std::string_view name, bool visible) {
    if (HWND control = Control(name))
        ShowWindow(control, visible ? SW_SHOWNA : SW_HIDE);
    if (HWND arrows = SpinArrows(name))
        ShowWindow(arrows, visible ? SW_SHOWNA : SW_HIDE);
}

void FormWindow::SetEnabled(std::string_view name, bool enabled) {
    if (HWND control = Control(name))
        EnableWindow(control, enabled ? TRUE : FALSE);
    if (HWND arrows = SpinArrows(name))
        EnableWindow(arrows, enabled ? TRUE : FALSE);
}

void FormWindow::SetTabStop(std::string_view name, bool tabStop) {
    HWND control = Control(name);
    if (control == nullptr || control == window_)
        return;
    LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
    style = tabStop ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
    SetWindowLongPtrW(control, GWL_STYLE, style);
}

void FormWindow::SetTextLimit(std::string_view name, int characters) {
    if (HWND control = Control(name))
        SendMessageW(control, EM_LIMITTEXT, static_cast<WPARAM>(characters), 0);
}

void FormWindow::SetTextColour(std::string_view name, COLORREF colour) {
    const int row = RowOf(name);
    if (row <= 0)
        return;
    colours_[static_cast<std::size_t>(row)] = colour;
    coloured_[static_cast<std::size_t>(row)] = true;
    InvalidateRect(controls_[static_cast<std::size_t>(row)], nullptr, TRUE);
}

void FormWindow::SetFontStyle(std::string_view name, FontStyles styles) {
    if (HWND control = Control(name))
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont(styles)), TRUE);
}

void FormWindow::SetOwnerDrawn(std::string_view name) {
    HWND control = Control(name);
    if (control == nullptr)
        return;
    const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
    SetWindowLongPtrW(control, GWL_STYLE,
                      (style & ~static_cast<LONG_PTR>(BS_TYPEMASK)) | BS_OWNERDRAW);
    InvalidateRect(control, nullptr, TRUE);
}

void FormWindow::Focus(std::string_view name) {
    if (HWND control = Control(name))
        SetFocus(control);
}

Size FormWindow::ClientSize() const {
    RECT client{};
    if (window_ != nullptr)
        GetClientRect(window_, &client);
    return {client.right, client.bottom};
}

Size FormWindow::OuterFor(Size client) const {
    RECT area{0, 0, client.width, client.height};
    AdjustWindowRectEx(&area, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE)));
    return {area.right - area.left, area.bottom - area.top};
}

int FormWindow::OuterWidth() const {
    RECT outer{};
    GetWindowRect(window_, &outer);
    return outer.right - outer.left;
}

void FormWindow::SetOuterHeight(int height) {
    RECT outer{};
    GetWindowRect(window_, &outer);
    SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::Fit() {
    if (window_ == nullptr)
        return;
    const Needs needs(*this);
    fitted_ = FitTable(table_, needs);
    const Size fitted{fitted_.rects[0].width, fitted_.rects[0].height};
    growth_ = {fitted.width - table_[0].rect.width, fitted.height - table_[0].rect.height};
    // The window keeps whatever the user added to its size, and grows by what the fit added.
    const Size client = ClientSize();
    Size wanted{client.width + fitted.width - lastFitted_.width,
                client.height + fitted.height - lastFitted_.height};
    lastFitted_ = fitted;
    wanted.width = std::max(wanted.width, fitted.width);
    wanted.height = std::max(wanted.height, fitted.height);
    const Size outer = OuterFor(wanted);
    SetWindowPos(window_, nullptr, 0, 0, outer.width, outer.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Layout();
}

void FormWindow::Layout() {
    if (window_ == nullptr || fitted_.rects.empty())
        return;
    const Size client = ClientSize();
    placed_[0] = {0, 0, client.width, client.height};
    for (std::size_t row = 1; row < table_.size(); ++row) {
        const int container = fitted_.container[row];
        if (container < 0)
            continue;
        const form::Rect& now = placed_[static_cast<std::size_t>(container)];
        const form::Rect& fit = fitted_.rects[static_cast<std::size_t>(container)];
        placed_[row] = Follow(fitted_.rects[row], {now.width - fit.width, now.height - fit.height},
                              table_[row].anchors);
        MoveControl(row, placed_[row]);
    }
    if (onResized)
        onResized();
}

form::Rect FormWindow::Absolute(std::size_t row, const form::Rect& rect) const {
    form::Rect absolute = rect;
    int parent = RowNamed(table_, table_[row].parent);
    // Group boxes only frame their controls; the controls are the window's children.
    while (parent > 0 && table_[static_cast<std::size_t>(parent)].kind == Kind::GroupBox) {
        absolute.x += placed_[static_cast<std::size_t>(parent)].x;
        absolute.y += placed_[static_cast<std::size_t>(parent)].y;
        parent = RowNamed(table_, table_[static_cast<std::size_t>(parent)].parent);
    }
    return absolute;
}

void FormWindow::MoveControl(std::size_t row, const form::Rect& rect) {
    HWND control = controls_[row];
    if (control == nullptr)
        return;
    const form::Rect at = Absolute(row, rect);
    switch (table_[row].kind) {
    case Kind::DropDownList: {
        // The field's height is the combo box's own; the rest is its list when it opens.
        const auto field = static_cast<LPARAM>(std::max(rect.height - 6, 1));
        SendMessageW(control, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
        const auto item = static_cast<int>(SendMessageW(control, CB_GETITEMHEIGHT, 0, 0));
        MoveWindow(control, at.x, at.y, at.width, at.height + kDroppedItems * item + 2, TRUE);
        return;
    }
    case Kind::SpinEdit: {
        const int arrows = std::min(kSpinArrowsWidth, at.width / 2);
        MoveWindow(control, at.x, at.y, at.width - arrows, at.height, TRUE);
        MoveWindow(spinArrows_[row], at.x + at.width - arrows, at.y, arrows, at.height, TRUE);
        return;
    }
    default:
        MoveWindow(control, at.x, at.y, at.width, at.height, TRUE);
        return;
    }
}

void FormWindow::Place(std::string_view name, const form::Rect& rect) {
    const int row = RowOf(name);
    if (row <= 0)
        return;
    placed_[static_cast<std::size_t>(row)] = rect;
    MoveControl(static_cast<std::size_t>(row), rect);
}

form::Rect FormWindow::PlacedRect(std::string_view name) const {
    const int row = RowOf(name);
    return row < 0 ? form::Rect{} : placed_[static_cast<std::size_t>(row)];
}

form::Rect FormWindow::FittedRect(std::string_view name) const {
    const int row = RowOf(name);
    if (row < 0 || fitted_.rects.empty())
        return {};
    return fitted_.rects[static_cast<std::size_t>(row)];
}

Size FormWindow::LeastTextSize(std::string_view name) const {
    const int row = RowOf(name);
    if (row <= 0)
        return {};
    return Needs(*this).Least(static_cast<std::size_t>(row));
}

int FormWindow::WrappedHeight(std::string_view name, int width) const {
    HWND control = Control(name);
    if (control == nullptr)
        return 0;
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    const TextMeasure measure(font != nullptr ? font : DialogFont());
    return measure.WrappedHeight(WindowText(control), width);
}

int FormWindow::LineHeight() const {
    return TextMeasure(DialogFont()).LineHeight();
}

void FormWindow::SetScrollExtent(std::string_view name, Size extent) {
    HWND box = Control(name);
    if (box == nullptr)
        return;
    RECT client{};
    GetClientRect(box, &client);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE;
    info.nMin = 0;
    info.nMax = std::max(extent.height - 1, 0);
    info.nPage = static_cast<UINT>(client.bottom);
    SetScrollInfo(box, SB_VERT, &info, TRUE);
    info.nMax = std::max(extent.width - 1, 0);
    info.nPage = static_cast<UINT>(client.right);
    SetScrollInfo(box, SB_HORZ, &info, TRUE);
}

void FormWindow::SetResultButton(std::string_view name, int result) {
    const int row = RowOf(name);
    if (row > 0)
        results_[static_cast<std::size_t>(row)] = result;
}

int FormWindow::RunModal(HWND owner) {
    Create(owner);
    if (window_ == nullptr)
        return kResultCancel;
    HWND top = owner != nullptr ? GetAncestor(owner, GA_ROOT) : nullptr;
    const bool disableOwner = top != nullptr && IsWindowEnabled(top);
    if (disableOwner)
        EnableWindow(top, FALSE);
    modal_ = true;
    running_ = true;
    result_ = kResultCancel;
    if (onBeforeShow)
        onBeforeShow();
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    if (GetFocus() == nullptr || !IsChild(window_, GetFocus())) {
        HWND first = GetNextDlgTabItem(window_, nullptr, FALSE);
        if (first != nullptr)
            SetFocus(first);
    }
    RemovePropW(window_, automation::kWin32ResultProperty);
    if (const auto& host = ModalHost(); host) {
        // The host drives the dialog through its controls; the dialog's own end, if it came,
        // decides the result, else the host's answer does.
        const std::optional<int> answer = host(window_);
        if (answer && running_)
            result_ = *answer;
        if (answer)
            running_ = false;
    }
    MSG message{};
    while (running_) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            // A quit belongs to the host's own loop: hand it back once the dialog has ended.
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got < 0)
            break;
        if (IsDialogMessageW(window_, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    running_ = false;
    modal_ = false;
    // The owner is enabled before the dialog hides, so that it gets the activation back.
    if (disableOwner)
        EnableWindow(top, TRUE);
    ShowWindow(window_, SW_HIDE);
    return result_;
}

void FormWindow::EndModal(int result) {
    result_ = result;
    running_ = false;
    if (window_ != nullptr)
        SetPropW(window_, automation::kWin32ResultProperty,
                 reinterpret_cast<HANDLE>(static_cast<INT_PTR>(result)));
    // Wakes the loop in case the end came from outside a message.
    PostMessageW(window_, WM_NULL, 0, 0);
}

void FormWindow::ShowFloating() {
    if (window_ == nullptr)
        return;
    floating_ = true;
    HookKeyboard(true);
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    if (options_.stacking == Stacking::TopMost)
        SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void FormWindow::Hide() {
    if (window_ != nullptr)
        ShowWindow(window_, SW_HIDE);
}

void FormWindow::Command(HWND control, int id, UINT code) {
    int row = RowOfHandle(control);
    if (row < 0 && control == nullptr) {
        // Enter and Esc from the dialog navigation arrive as IDOK and IDCANCEL.
        if (id == IDCANCEL)
            row = cancelRow_;
        else if (id == IDOK)
            row = defaultRow_;
        code = BN_CLICKED;
    }
    if (row <= 0)
        return;
    const form::ControlSpec& spec = table_[static_cast<std::size_t>(row)];
    if (spec.kind == Kind::RadioButton && code == BN_CLICKED) {
        for (std::size_t other = 1; other < table_.size(); ++other)
            if (table_[other].kind == Kind::RadioButton && table_[other].parent == spec.parent)
                SendMessageW(controls_[other], BM_SETCHECK,
                             other == static_cast<std::size_t>(row) ? BST_CHECKED : BST_UNCHECKED,
                             0);
    }
    if (onCommand)
        onCommand(spec.name, code);
    const auto result = results_.find(static_cast<std::size_t>(row));
    if (result != results_.end() && code == BN_CLICKED && modal_)
        EndModal(result->second);
}

std::optional<LRESULT> FormWindow::Notify(NMHDR& header) {
    const int row = RowOfHandle(header.hwndFrom);
    if (row <= 0)
        return std::nullopt;
    const form::ControlSpec& spec = table_[static_cast<std::size_t>(row)];
    if (onNotify) {
        if (std::optional<LRESULT> handled = onNotify(spec.name, header))
            return handled;
    }
    if (header.hwndFrom == spinArrows_[static_cast<std::size_t>(row)] &&
        header.code == UDN_DELTAPOS) {
        StepSpin(static_cast<std::size_t>(row), reinterpret_cast<NMUPDOWN&>(header).iDelta);
        // The arrows keep no value of their own: the field's text is the value.
        return 1;
    }
    return std::nullopt;
}

void FormWindow::StepSpin(std::size_t row, int delta) {
    const int value = ReadWholeNumber(WindowText(controls_[row]));
    const long long stepped = static_cast<long long>(value) + delta;
    const int next = static_cast<int>(std::clamp<long long>(stepped, INT_MIN, INT_MAX));
    SetWindowTextW(controls_[row], std::to_wstring(next).c_str());
}

LRESULT FormWindow::ControlColour(HDC dc, HWND control) {
    const int row = RowOfHandle(control);
    SetBkMode(dc, TRANSPARENT);
    if (row > 0 && coloured_[static_cast<std::size_t>(row)])
        SetTextColor(dc, colours_[static_cast<std::size_t>(row)]);
    else if (onTextColour)
        if (const std::optional<COLORREF> colour = onTextColour(control))
            SetTextColor(dc, *colour);
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void FormWindow::MinMaxInfo(MINMAXINFO& info) const {
    if (fitted_.rects.empty())
        return;
    const Size fittedOuter = OuterFor({fitted_.rects[0].width, fitted_.rects[0].height});
    Size least = fittedOuter;
    if (options_.leastOuter.width > 0)
        least.width = std::max(least.width, options_.leastOuter.width + growth_.width);
    if (options_.leastOuter.height > 0)
        least.height = std::max(least.height, options_.leastOuter.height + growth_.height);
    // A window smaller than its fitted size would cut its texts: the fitted size is the least.
    info.ptMinTrackSize = {least.width, least.height};
    if (options_.sizing == Sizing::WidthOnly)
        info.ptMaxTrackSize.y = fittedOuter.height;
    if (options_.sizing == Sizing::HeightFollowsTexts)
        info.ptMinTrackSize.y = 0;
}

LRESULT FormWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        Command(reinterpret_cast<HWND>(lParam), LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_NOTIFY:
        if (std::optional<LRESULT> result = Notify(*reinterpret_cast<NMHDR*>(lParam)))
            return *result;
        break;
    case DM_GETDEFID: {
        if (defaultRow_ > 0)
            return MAKELRESULT(kFirstId + defaultRow_, DC_HASDEFID);
        return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return ControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (onDrawItem && onDrawItem(NameOf(item.hwndItem), item))
            return TRUE;
        break;
    }
    case WM_SIZE:
        Layout();
        return 0;
    case WM_GETMINMAXINFO:
        MinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
        return 0;
    case WM_CLOSE:
        if (modal_) {
            EndModal(kResultCancel);
            return 0;
        }
        if (onClose)
            onClose();
        else
            Hide();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT CALLBACK FormWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* form = static_cast<FormWindow*>(create->lpCreateParams);
        form->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (form == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    return form->Handle(message, wParam, lParam);
}

LRESULT CALLBACK FormWindow::ScrollBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        // The window acts for the controls in its scroll boxes as for its own.
        return SendMessageW(GetAncestor(box, GA_ROOT), message, wParam, lParam);
    case WM_VSCROLL:
    case WM_HSCROLL: {
        const int bar = message == WM_VSCROLL ? SB_VERT : SB_HORZ;
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_ALL;
        GetScrollInfo(box, bar, &info);
        const int before = info.nPos;
        const int line = 16;
        switch (LOWORD(wParam)) {
        case SB_LINEUP:
            info.nPos -= line;
            break;
        case SB_LINEDOWN:
            info.nPos += line;
            break;
        case SB_PAGEUP:
            info.nPos -= static_cast<int>(info.nPage);
            break;
        case SB_PAGEDOWN:
            info.nPos += static_cast<int>(info.nPage);
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            info.nPos = info.nTrackPos;
            break;
        default:
            break;
        }
        info.fMask = SIF_POS;
        SetScrollInfo(box, bar, &info, TRUE);
        GetScrollInfo(box, bar, &info);
        const int moved = before - info.nPos;
        if (moved != 0)
            ScrollWindowEx(box, bar == SB_HORZ ? moved : 0, bar == SB_VERT ? moved : 0, nullptr,
                           nullptr, nullptr, nullptr, SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcW(box, message, wParam, lParam);
}

static HHOOK& KeyboardHookHandle() {
    static HHOOK hook = nullptr;
    return hook;
}

void FormWindow::HookKeyboard(bool wanted) {
    HHOOK& hook = KeyboardHookHandle();
    if (wanted && hook == nullptr)
        hook = SetWindowsHookExW(WH_GETMESSAGE, &FormWindow::KeyboardHook, nullptr,
                                 GetCurrentThreadId());
    if (!wanted && hook != nullptr) {
        UnhookWindowsHookEx(hook);
        hook = nullptr;
    }
}

// The host's own message loop knows nothing of our floating windows, so their keyboard
// navigation (Tab, Space on a button) is given to them on its way through that loop.
LRESULT CALLBACK FormWindow::KeyboardHook(int code, WPARAM wParam, LPARAM lParam) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && message->message >= WM_KEYFIRST &&
        message->message <= WM_KEYLAST) {
        for (FormWindow* form : Registry()) {
            if (!form->floating_ || form->modal_ || form->window_ == nullptr)
                continue;
            if (message->hwnd != form->window_ && !IsChild(form->window_, message->hwnd))
                continue;
            if (IsDialogMessageW(form->window_, message)) {
                message->message = WM_NULL;
                break;
            }
        }
    }
    return CallNextHookEx(KeyboardHookHandle(), code, wParam, lParam);
}

LRESULT CALLBACK FormWindow::ControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR, DWORD_PTR data) {
    auto* form = reinterpret_cast<FormWindow*>(data);
    if (message == WM_CHAR && form->onCharacter) {
        const std::string_view name = form->NameOf(control);
        if (!form->onCharacter(name, static_cast<wchar_t>(wParam))) {
            // The platform's beep, which a host that answers the macro's sounds hears too.
            platform::Beep();
            return 0;
        }
    }
    if (form->onControlMessage && message != WM_NCDESTROY &&
        form->onControlMessage(form->NameOf(control), message, wParam, lParam))
        return 0;
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(control, &FormWindow::ControlProc, kSubclassId);
    return DefSubclassProc(control, message, wParam, lParam);
}

} // namespace qx::win32
