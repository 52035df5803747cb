#include "dialogs/win32/text_measure.h"

#include <algorithm>

namespace qx::win32 {
namespace {

using form::Kind;

int CheckBoxSide() {
    return GetSystemMetrics(SM_CXMENUCHECK);
}

int ArrowWidth() {
    return GetSystemMetrics(SM_CXVSCROLL);
}

} // namespace

TextMeasure::TextMeasure(HFONT font) : dc_(CreateCompatibleDC(nullptr)) {
    previous_ = SelectObject(dc_, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc_, &metrics);
    lineHeight_ = metrics.tmHeight;
    spaceWidth_ = Line(L" ").width;
}

TextMeasure::~TextMeasure() {
    SelectObject(dc_, previous_);
    DeleteDC(dc_);
}

Size TextMeasure::Line(std::wstring_view text) const {
    if (text.empty())
        return {0, lineHeight_};
    RECT area{0, 0, 0, 0};
    DrawTextW(dc_, text.data(), static_cast<int>(text.size()), &area, DT_CALCRECT | DT_SINGLELINE);
    return {area.right - area.left, std::max<int>(area.bottom - area.top, lineHeight_)};
}

int TextMeasure::WrappedHeight(std::wstring_view text, int width) const {
    if (text.empty())
        return lineHeight_;
    RECT area{0, 0, std::max(width, 1), 0};
    DrawTextW(dc_, text.data(), static_cast<int>(text.size()), &area,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    return std::max<int>(area.bottom - area.top, lineHeight_);
}

int TextMeasure::WidestWord(std::wstring_view text) const {
    int widest = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find_first_of(L" \t\r\n", start), text.size());
        if (end > start) {
            SIZE size{};
            GetTextExtentPoint32W(dc_, text.data() + start, static_cast<int>(end - start), &size);
            widest = std::max<int>(widest, size.cx);
        }
        start = end + 1;
    }
    return widest;
}

Size TextMeasure::LeastSize(Kind kind, std::wstring_view text,
                            std::span<const std::wstring> items) const {
    switch (kind) {
    case Kind::Label:
        return Line(text);
    case Kind::WrapLabel:
        // A wrapped text breaks between words only; its height follows from its width.
        return {WidestWord(text), 0};
    case Kind::CheckBox:
    case Kind::RadioButton: {
        const Size line = Line(text);
        return {CheckBoxSide() + kCheckTextGap + line.width + kCheckTextGap,
                std::max(line.height, CheckBoxSide())};
    }
    case Kind::Button: {
        // A caption that touches the frame looks cut off: a space's width of air around it.
        const Size line = Line(text);
        return {line.width + 2 * (kButtonFrame + spaceWidth_), line.height + 2 * kButtonFrame};
    }
    case Kind::Edit:
        // Only the height: the field scrolls its text sideways.
        return {0, lineHeight_ + 2 * (kEditFrame + kEditMargin)};
    case Kind::DropDownList: {
        int widest = 0;
        for (const std::wstring& item : items)
            widest = std::max(widest, Line(item).width);
        return {widest + spaceWidth_ + ArrowWidth() + kComboFieldPadding,
                lineHeight_ + kComboFieldPadding};
    }
    case Kind::SpinEdit:
        return {Line(kSpinSample).width + spaceWidth_ + kSpinArrowsWidth +
                    2 * (kEditFrame + kEditMargin),
                lineHeight_ + 2 * (kEditFrame + kEditMargin)};
    case Kind::GroupBox:
        return {Line(text).width + 2 * kGroupTitleIndent, 0};
    case Kind::Window:
    case Kind::ListBox:
    case Kind::Grid:
    case Kind::ScrollBox:
        break;
    }
    return {};
}

int TextMeasure::HeightForWidth(Kind kind, std::wstring_view text, int width) const {
    if (kind != Kind::WrapLabel)
        return 0;
    return WrappedHeight(text, width);
}

} // namespace qx::win32
