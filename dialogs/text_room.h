// How much room a control needs to show the whole of its text in the font it has now: the
// text's size from the font's metrics plus what the style draws around it (frame, indicator,
// drop-down arrow, spin arrows).
#pragma once

#include <QSize>

class QWidget;

namespace qx {

// The least size at which the control shows its whole text; 0 on an axis where its text sets
// no bound (a text field scrolls sideways, a list scrolls). A word-wrapping label needs the
// width of its longest word; its height follows from the width it gets (LeastHeightForWidth).
QSize LeastTextSize(const QWidget& control);

// The height a word-wrapping label needs at the given width, or 0 for any other control.
int LeastHeightForWidth(const QWidget& control, int width);

// True for controls that paint nothing but their text (and a check box's or radio button's
// indicator), so that their rectangle may reach under a neighbour.
bool PaintsTextOnly(const QWidget& control);

// The spacing a text keeps to the next control: one space of the control's font.
int TextSpacing(const QWidget& control);

} // namespace qx
