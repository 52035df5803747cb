// The window's colours and sizes, in one place.
#pragma once

#include <QColor>

#include <cstdint>

namespace cadhost::window {

// The drawing is shown on a dark background, as CAD programs do, so that every colour of the
// host's colour table but black stands out.
inline const QColor kViewBackground{24, 26, 32};
inline const QColor kCrosshair{120, 124, 140};
inline const QColor kAreaFrame{110, 170, 255};
inline const QColor kAreaFill{110, 170, 255, 40};

inline const QColor kErrorLine{190, 30, 30};
inline const QColor kKeyMarker{0, 120, 215};

// The colour a colour number of the host's table is drawn in. The numbers follow the table the
// host names colours by; numbers past it cycle through it.
QColor PaletteColour(std::int32_t number);

// How many pixels a click may miss an entity by and still pick it.
inline constexpr double kPickTolerancePx = 5.0;
// How far the mouse must move with the button down before a click becomes a drag.
inline constexpr int kDragThresholdPx = 4;
// One notch of the wheel zooms by this factor.
inline constexpr double kWheelZoomFactor = 1.25;

} // namespace cadhost::window
