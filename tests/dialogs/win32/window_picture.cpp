#include "window_picture.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>

namespace qx::win32::test {

std::size_t Picture::DistinctColours() const {
    return std::set<COLORREF>(pixels.begin(), pixels.end()).size();
}

Picture TakePicture(HWND window) {
    // Let the window and its controls paint before the screen is read.
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    MSG message{};
    for (int round = 0; round < 20; ++round) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(10);
    }
    RECT outer{};
    GetWindowRect(window, &outer);
    Picture picture;
    picture.width = outer.right - outer.left;
    picture.height = outer.bottom - outer.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, picture.width, picture.height, screen, outer.left, outer.top, SRCCOPY);
    GdiFlush();
    // The DIB section holds 0x00RRGGBB; the picture holds COLORREFs, as GDI names colours.
    const auto* source = static_cast<const std::uint32_t*>(bits);
    const std::size_t count =
        static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
    picture.pixels.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        picture.pixels.push_back(RGB((source[i] >> 16) & 0xFF, (source[i] >> 8) & 0xFF,
                                     source[i] & 0xFF));
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return picture;
}

bool SaveBmp(const Picture& picture, const std::filesystem::path& path) {
    const int rowBytes = (picture.width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = picture.width;
    header.biHeight = picture.height; // rows stored from the bottom
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(rowBytes * picture.height);
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + header.biSizeImage;
    std::ofstream out(path, std::ios::binary);
    if (!out)
        return false;
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    std::vector<char> row(static_cast<std::size_t>(rowBytes), 0);
    for (int y = picture.height - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width; ++x) {
            // A 24-bit BMP stores blue, green, red.
            const COLORREF pixel =
                picture
                    .pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width) +
                            static_cast<std::size_t>(x)];
            row[static_cast<std::size_t>(x) * 3] = static_cast<char>(GetBValue(pixel));
            row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<char>(GetGValue(pixel));
            row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<char>(GetRValue(pixel));
        }
        out.write(row.data(), rowBytes);
    }
    return static_cast<bool>(out);
}

std::vector<std::string> ClippedTexts(const FormWindow& form) {
    std::vector<std::string> clipped;
    const form::ControlTable table = form.Table();
    RECT client{};
    GetClientRect(form.Handle(), &client);
    MapWindowPoints(form.Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    for (std::size_t row = 1; row < table.size(); ++row) {
        const std::string_view name = table[row].name;
        HWND control = form.Control(name);
        if (control == nullptr || !IsWindowVisible(control))
            continue;
        // The place the control really has on the screen, in case a view moved it.
        RECT onScreen{};
        GetWindowRect(control, &onScreen);
        int width = onScreen.right - onScreen.left;
        int height = onScreen.bottom - onScreen.top;
        if (table[row].kind == form::Kind::DropDownList) {
            // Its rectangle reaches down over the list it opens; only the field shows.
            height = form.PlacedRect(name).height;
        }
        if (HWND arrows = form.SpinArrows(name)) {
            RECT arrowRect{};
            GetWindowRect(arrows, &arrowRect);
            width += arrowRect.right - arrowRect.left;
        }
        if (GetParent(control) == form.Handle() &&
            (onScreen.left < client.left || onScreen.top < client.top ||
             onScreen.left + width > client.right || onScreen.top + height > client.bottom)) {
            clipped.push_back(std::string(name) + " reaches outside the window");
            continue;
        }
        const Size least = form.LeastTextSize(name);
        int needHeight = least.height;
        if (table[row].kind == form::Kind::WrapLabel)
            needHeight = form.WrappedHeight(name, width);
        if (least.width > width || needHeight > height) {
            char line[256];
            std::snprintf(line, sizeof line, "%.*s needs %d x %d, has %d x %d",
                          static_cast<int>(name.size()), name.data(), least.width, needHeight,
                          width, height);
            clipped.emplace_back(line);
        }
    }
    return clipped;
}

std::filesystem::path PictureFolder() {
    const char* folder = std::getenv("QX_PICTURE_DIR");
    return folder != nullptr && *folder != '\0' ? std::filesystem::path(folder)
                                                : std::filesystem::current_path();
}

} // namespace qx::win32::test
