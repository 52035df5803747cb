// The texts a widget paints, with the colour and font each is painted in. Rows of a list or
// grid may be drawn by the window's own code from data the view does not hold, so a scenario
// checks what is painted, as a user sees it.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <vector>

class QAbstractItemView;

namespace cadhost::scenario {

struct PaintedText {
    QString text;
    QColor colour;
    QFont font;
};

// Paints one row of the view (its first column) as the view would, and returns the texts in the
// order they were painted. Rows scrolled out of sight are painted too.
std::vector<PaintedText> PaintRow(const QAbstractItemView& view, int row);

} // namespace cadhost::scenario
