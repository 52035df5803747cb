// How a row of the layer dialog's grid looks, apart from any toolkit: the views paint each row
// from its layer alone, in these colours and font styles.
#pragma once

#include "dialogs/layer_details.h"

#include <cstdint>

namespace qx::form {

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

// The row's text colour. The plain inks are the desktop's own (its window text, or its
// highlighted text on a chosen row); the others are fixed.
enum class RowInk : std::uint8_t { Plain, Active, LockedAndOn };

struct LayerRowLook {
    // A chosen row has the desktop's highlight behind it; any other row is white.
    bool highlighted = false;
    RowInk ink = RowInk::Plain;
    bool bold = false;      // the layer is on
    bool underline = false; // the active layer
    bool strikeOut = false; // a locked layer
};

// The first rule that fits wins: active before locked, and a locked layer that is off looks
// like any other.
LayerRowLook LookOfLayerRow(const LyrDtl& row);

// The fixed inks, on a chosen row and on any other.
inline constexpr Rgb kActiveInkChosen{0, 255, 0};     // lime
inline constexpr Rgb kLockedInkChosen{255, 160, 122}; // light salmon
inline constexpr Rgb kActiveInk{0, 128, 0};           // green
inline constexpr Rgb kLockedInk{255, 0, 0};           // red
inline constexpr Rgb kRowBackground{255, 255, 255};   // white

// The fixed ink of a row, if it has one.
inline const Rgb* FixedInk(const LayerRowLook& look) {
    if (look.ink == RowInk::Active)
        return look.highlighted ? &kActiveInkChosen : &kActiveInk;
    if (look.ink == RowInk::LockedAndOn)
        return look.highlighted ? &kLockedInkChosen : &kLockedInk;
    return nullptr;
}

} // namespace qx::form
