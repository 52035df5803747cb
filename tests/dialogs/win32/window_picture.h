// Pictures of real windows for the picture tests: a window as it shows on the screen, saved
// as a BMP file, and the checks every picture must pass.
#pragma once

#include "dialogs/win32/form_window.h"

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

namespace qx::win32::test {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels; // row by row from the top

    // How many different colours the picture holds: a blank window has one or two.
    std::size_t DistinctColours() const;
};

// The window as it shows now, frame included, once every pending paint is done.
Picture TakePicture(HWND window);
// Writes a 24-bit BMP file; false when the file cannot be written.
bool SaveBmp(const Picture& picture, const std::filesystem::path& path);

// Every visible control whose text does not fit its place, with what it needed and what it
// got; empty when every text fits.
std::vector<std::string> ClippedTexts(const FormWindow& form);

// Where pictures go: QX_PICTURE_DIR, else the working folder.
std::filesystem::path PictureFolder();

} // namespace qx::win32::test
