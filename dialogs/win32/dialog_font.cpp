#include "dialogs/win32/dialog_font.h"

#include "dialogs/form/dialog_font_faces.h"

#include <algorithm>
#include <iterator>
#include <string_view>

#include <array>
#include <cwchar>

namespace qx::win32 {
namespace {

constexpr int kPointsPerInch = 72;

// A named callback: on x86 the enumeration calls it with the stdcall convention, which a
// lambda's conversion to a function pointer does not have.
int CALLBACK NoteFaceSeen(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM seen) {
    *reinterpret_cast<bool*>(seen) = true;
    return 0;
}

bool FaceExists(std::wstring_view face) {
    HDC screen = GetDC(nullptr);
    LOGFONTW wanted{};
    face.copy(wanted.lfFaceName, LF_FACESIZE - 1);
    wanted.lfCharSet = DEFAULT_CHARSET;
    bool found = false;
    EnumFontFamiliesExW(screen, &wanted, &NoteFaceSeen, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

LOGFONTW BaseFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LOGFONTW font = metrics.lfMessageFont;
    for (const std::wstring_view face : form::kDialogFontFaces) {
        if (FaceExists(face)) {
            std::fill(std::begin(font.lfFaceName), std::end(font.lfFaceName), L'\0');
            face.copy(font.lfFaceName, LF_FACESIZE - 1);
            break;
        }
    }
    HDC screen = GetDC(nullptr);
    font.lfHeight =
        -MulDiv(form::kDialogFontPoints, GetDeviceCaps(screen, LOGPIXELSY), kPointsPerInch);
    ReleaseDC(nullptr, screen);
    font.lfWidth = 0;
    font.lfWeight = FW_NORMAL;
    font.lfItalic = FALSE;
    font.lfUnderline = FALSE;
    font.lfStrikeOut = FALSE;
    return font;
}

} // namespace

HFONT DialogFont(FontStyles styles) {
    constexpr std::size_t kStyles = 16;
    static std::array<HFONT, kStyles> fonts{};
    HFONT& font = fonts[styles % kStyles];
    if (font != nullptr)
        return font;
    LOGFONTW description = BaseFont();
    description.lfWeight = (styles & kBold) != 0 ? FW_BOLD : FW_NORMAL;
    description.lfItalic = (styles & kItalic) != 0;
    description.lfUnderline = (styles & kUnderline) != 0;
    description.lfStrikeOut = (styles & kStrikeOut) != 0;
    font = CreateFontIndirectW(&description);
    return font;
}

} // namespace qx::win32
