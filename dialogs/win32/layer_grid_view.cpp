#include "dialogs/win32/layer_grid_view.h"

#include "dialogs/form/layer_row_look.h"
#include "dialogs/win32/dialog_font.h"
#include "dialogs/win32/wide_text.h"
#include "host/codepage.h"

#include <commctrl.h>
#include <windowsx.h>

namespace qx::win32 {
namespace {

COLORREF ToColour(const form::Rgb& rgb) {
    return RGB(rgb.red, rgb.green, rgb.blue);
}

FontStyles StylesOf(const form::LayerRowLook& look) {
    FontStyles styles = kPlain;
    if (look.bold)
        styles |= kBold;
    if (look.underline)
        styles |= kUnderline;
    if (look.strikeOut)
        styles |= kStrikeOut;
    return styles;
}

bool Held(int key) {
    return GetKeyState(key) < 0;
}

} // namespace

void LayerGridView::Attach(HWND listView) {
    list_ = listView;
}

void LayerGridView::Populate(int current) {
    if (list_ == nullptr)
        return;
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        std::wstring name = Widen(host::Cp1252ToUtf8(rows_[i].name));
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = name.data();
        SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    FitColumn();
    SetCurrentRow(current);
}

void LayerGridView::FitColumn() {
    if (list_ == nullptr)
        return;
    RECT client{};
    GetClientRect(list_, &client);
    SendMessageW(list_, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(client.right, 0));
}

int LayerGridView::CurrentRow() const {
    if (rows_.empty() || list_ == nullptr)
        return kNoRow;
    const auto focused = static_cast<int>(
        SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    return focused >= 0 ? focused : 0;
}

void LayerGridView::SetCurrentRow(int row) {
    if (list_ == nullptr || row < 0 || row >= static_cast<int>(rows_.size()))
        return;
    LVITEMW state{};
    state.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
    state.state = LVIS_FOCUSED;
    SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&state));
    SendMessageW(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

void LayerGridView::ApplyChoice(int (*choice)(LayerDetailList&, int)) {
    SetCurrentRow(choice(rows_, CurrentRow()));
    Repaint();
}

void LayerGridView::Repaint() {
    if (list_ != nullptr)
        InvalidateRect(list_, nullptr, TRUE);
}

int LayerGridView::RowAt(int y) const {
    LVHITTESTINFO hit{};
    hit.pt = {2, y};
    const auto row =
        static_cast<int>(SendMessageW(list_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return row >= 0 && row < static_cast<int>(rows_.size()) ? row : kNoRow;
}

bool LayerGridView::Message(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN: {
        const bool ctrl = Held(VK_CONTROL);
        const bool shift = Held(VK_SHIFT);
        switch (wParam) {
        case VK_TAB:
        case VK_RETURN:
        case VK_ESCAPE:
            // The dialog's: the next control, OK and Cancel.
            return false;
        case VK_SPACE:
            ToggleCurrentRow(rows_, CurrentRow(), ctrl);
            break;
        case VK_UP:
            SetCurrentRow(StepCurrentRow(rows_, CurrentRow(), -1, ctrl, shift));
            break;
        case VK_DOWN:
            SetCurrentRow(StepCurrentRow(rows_, CurrentRow(), 1, ctrl, shift));
            break;
        case 'A':
            SetCurrentRow(SelectUnlockedLayers(rows_, CurrentRow()));
            break;
        case 'C':
            SetCurrentRow(ClearLayerSelection(rows_, CurrentRow()));
            break;
        case 'O':
            SetCurrentRow(SelectUnlockedOnLayers(rows_, CurrentRow()));
            break;
        case 'V':
            SetCurrentRow(SelectActiveOnly(rows_, CurrentRow()));
            break;
        default:
            // Every other key is the grid's and does nothing, so that the list view's own
            // paging and searching never move the current row.
            break;
        }
        Repaint();
        return true;
    }
    case WM_CHAR:
        // Typed letters would search the list view's rows.
        return wParam != VK_TAB && wParam != VK_RETURN && wParam != VK_ESCAPE;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        // The second press of a double click is a click like the first.
        SetFocus(list_);
        const int clicked = RowAt(GET_Y_LPARAM(lParam));
        const bool ctrl = (wParam & MK_CONTROL) != 0;
        const bool shift = (wParam & MK_SHIFT) != 0;
        SetCurrentRow(ClickRow(rows_, CurrentRow(), clicked, ctrl, shift));
        Repaint();
        return true;
    }
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
        return true;
    case WM_MOUSEMOVE:
        // Dragging does not choose layers.
        return (wParam & (MK_LBUTTON | MK_RBUTTON)) != 0;
    default:
        return false;
    }
}

std::optional<LRESULT> LayerGridView::CustomDraw(NMHDR& header) {
    if (header.code != NM_CUSTOMDRAW)
        return std::nullopt;
    auto& draw = reinterpret_cast<NMLVCUSTOMDRAW&>(header);
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT)
        return CDRF_NOTIFYITEMDRAW;
    if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT)
        return CDRF_DODEFAULT;
    const auto row = static_cast<std::size_t>(draw.nmcd.dwItemSpec);
    if (row >= rows_.size())
        return CDRF_DODEFAULT;
    const form::LayerRowLook look = form::LookOfLayerRow(rows_[row]);
    draw.clrTextBk =
        look.highlighted ? GetSysColor(COLOR_HIGHLIGHT) : ToColour(form::kRowBackground);
    if (const form::Rgb* ink = form::FixedInk(look))
        draw.clrText = ToColour(*ink);
    else
        draw.clrText = GetSysColor(look.highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    SelectObject(draw.nmcd.hdc, DialogFont(StylesOf(look)));
    // The list view's own selection is never set, so its highlight cannot hide these colours.
    draw.nmcd.uItemState &= ~static_cast<UINT>(CDIS_SELECTED);
    return CDRF_NEWFONT;
}

} // namespace qx::win32
