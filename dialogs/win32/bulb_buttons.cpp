#include "dialogs/win32/bulb_buttons.h"

#include "dialogs/win32/dialog_font.h"
#include "dialogs/win32/wide_text.h"

#include <commctrl.h>

#include <string>

namespace qx::win32 {
namespace {

COLORREF ToColour(const form::Rgb& rgb) {
    return RGB(rgb.red, rgb.green, rgb.blue);
}

// The room between the picture and the caption.
constexpr int kPictureGap = 4;

void DrawBulbs(HDC dc, int left, int top, std::span<const form::Bulb> bulbs) {
    HPEN outline = CreatePen(PS_SOLID, 1, ToColour(form::kBulbOutline));
    HBRUSH base = CreateSolidBrush(ToColour(form::kBulbBase));
    HGDIOBJ oldPen = SelectObject(dc, outline);
    for (const form::Bulb& bulb : bulbs) {
        HBRUSH glass = CreateSolidBrush(ToColour(bulb.glass));
        HGDIOBJ oldBrush = SelectObject(dc, glass);
        Ellipse(dc, left + bulb.x, top + bulb.y, left + bulb.x + bulb.diameter,
                top + bulb.y + bulb.diameter);
        // The screw base below the glass.
        const int baseWidth = form::BulbBaseWidth(bulb);
        const int baseLeft = left + bulb.x + (bulb.diameter - baseWidth) / 2;
        const int baseTop = top + bulb.y + bulb.diameter - 1;
        SelectObject(dc, base);
        Rectangle(dc, baseLeft, baseTop, baseLeft + baseWidth, baseTop + 3);
        SelectObject(dc, oldBrush);
        DeleteObject(glass);
    }
    SelectObject(dc, oldPen);
    DeleteObject(outline);
    DeleteObject(base);
}

} // namespace

void DrawBulbButton(const DRAWITEMSTRUCT& item, std::span<const form::Bulb> bulbs) {
    HDC dc = item.hDC;
    RECT face = item.rcItem;
    const bool pushed = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));

    const int length = GetWindowTextLengthW(item.hwndItem);
    std::wstring caption(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(item.hwndItem, caption.data(), length + 1);
    caption.resize(static_cast<std::size_t>(length));

    HGDIOBJ oldFont = SelectObject(dc, DialogFont());
    SIZE text{};
    GetTextExtentPoint32W(dc, caption.c_str(), length, &text);
    const int picture = bulbs.empty() ? 0 : form::kBulbPictureSize + kPictureGap;
    const int shift = pushed ? 1 : 0;
    // The picture and the caption together, centred on the face.
    const int left = face.left + ((face.right - face.left) - (picture + text.cx)) / 2 + shift;
    const int middle = (face.top + face.bottom) / 2 + shift;
    if (!bulbs.empty())
        DrawBulbs(dc, left, middle - form::kBulbPictureSize / 2, bulbs);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    RECT textRect{left + picture, face.top + shift, face.right, face.bottom + shift};
    DrawTextW(dc, caption.c_str(), length, &textRect, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    SelectObject(dc, oldFont);
    if ((item.itemState & ODS_FOCUS) != 0) {
        RECT focus = face;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
}

void AddTooltip(HWND window, HWND control, std::string_view utf8) {
    if (window == nullptr || control == nullptr)
        return;
    HWND tip =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, nullptr, nullptr);
    if (tip == nullptr)
        return;
    std::wstring text = Widen(utf8);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = text.data();
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

} // namespace qx::win32
