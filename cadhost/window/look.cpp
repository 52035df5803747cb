#include "cadhost/window/look.h"

#include <array>

namespace cadhost::window {
namespace {

// Black, Blue, Green, Cyan, Red, Magenta, Brown, Light Gray, Dark Gray, Light Blue,
// Light Green, Light Cyan, Light Red, Light Magenta, Yellow, White. The dark ones are lifted a
// little so that they read on the dark background.
const std::array<QColor, 16> kPalette{{
    {0, 0, 0},
    {70, 110, 255},
    {0, 170, 0},
    {0, 170, 170},
    {200, 40, 40},
    {190, 60, 190},
    {170, 100, 30},
    {190, 190, 190},
    {110, 110, 110},
    {110, 150, 255},
    {90, 230, 90},
    {90, 230, 230},
    {255, 100, 100},
    {255, 110, 255},
    {255, 240, 80},
    {255, 255, 255},
}};

} // namespace

QColor PaletteColour(std::int32_t number) {
    const auto n = static_cast<std::size_t>(number < 0 ? -number : number) % kPalette.size();
    return kPalette[n];
}

} // namespace cadhost::window
