// The font every dialog of the macro uses.
#pragma once

#include <QFont>

namespace qx {

// Segoe UI 9 pt, the font the dialogs were laid out for. Where it is not installed, the first
// installed font of similar width takes its place (Selawik, which shares its metrics, then
// DejaVu Sans Condensed, then DejaVu Sans), so captions still fit their design widths; with
// none of them, the application's default family at 9 pt.
QFont DialogFont();

} // namespace qx
