// The 16 x 16 pictures of the layer dialog's quick-choice buttons, as shapes each view draws
// with its own painter, so the macro carries no image files and both views show the same bulbs.
#pragma once

#include "dialogs/form/layer_row_look.h"

#include <span>
#include <string_view>

namespace qx::form {

inline constexpr int kBulbPictureSize = 16;

struct Bulb {
    int x;        // left edge of the glass
    int y;        // top edge of the glass
    int diameter; // of the glass
    Rgb glass;
};

inline constexpr Rgb kBulbOutline{64, 64, 64};
inline constexpr Rgb kBulbBase{128, 128, 128};

inline constexpr Rgb kGreenGlass{0, 200, 0};
inline constexpr Rgb kLitGlass{255, 230, 0};
inline constexpr Rgb kUnlitGlass{192, 192, 192};

// One green bulb: the active layer.
inline constexpr Bulb kActiveBulb[] = {{3, 1, 10, kGreenGlass}};
// Three lit bulbs: the layers that are on.
inline constexpr Bulb kLitBulbs[] = {
    {0, 1, 7, kLitGlass}, {9, 1, 7, kLitGlass}, {4, 7, 7, kLitGlass}};
// Lit and unlit bulbs: every layer.
inline constexpr Bulb kLitAndUnlitBulbs[] = {
    {0, 1, 7, kLitGlass}, {9, 1, 7, kUnlitGlass}, {4, 7, 7, kLitGlass}};

// The screw base below a bulb's glass: half the glass wide, two pixels high.
inline constexpr int BulbBaseWidth(const Bulb& bulb) {
    return bulb.diameter / 2;
}

// The picture of each quick-choice button, by the button's name; empty for other controls.
inline std::span<const Bulb> BulbsOfButton(std::string_view name) {
    if (name == "btnActive")
        return kActiveBulb;
    if (name == "btnUnlockedOnLyrs")
        return kLitBulbs;
    if (name == "btnUnlockedLyrs")
        return kLitAndUnlitBulbs;
    return {};
}

} // namespace qx::form
