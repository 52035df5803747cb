#include "dialogs/win32/dialog_font.h"

#include <array>
#include <cwchar>

namespace qx::win32 {
namespace {

constexpr int kPointSize = 9;
constexpr int kPointsPerInch = 72;
constexpr wchar_t kPreferredFace[] = L"Segoe UI";

// A named callback: on x86 the enumeration calls it with the stdcall convention, which a
// lambda's conversion to a function pointer does not have.
int CALLBACK NoteFaceSeen(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM seen) {
    *reinterpret_cast<bool*>(seen) = true;
    return 0;
}

bool FaceExists(const wchar_t* face) {
    HDC screen = GetDC(nullptr);
    LOGFONTW wanted{};
    wcsncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
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
    if (FaceExists(kPreferredFace))
        wcsncpy(font.lfFaceName, kPreferredFace, LF_FACESIZE - 1);
    HDC screen = GetDC(nullptr);
    font.lfHeight = -MulDiv(kPointSize, GetDeviceCaps(screen, LOGPIXELSY), kPointsPerInch);
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
