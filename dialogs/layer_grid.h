// The one-column grid of the layer dialog. Every row is drawn from its LyrDtl alone; the view's
// own selection is switched off, and its current row is only where keys act and where
// Shift+click ranges start.
#pragma once

#include "dialogs/layer_details.h"

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QTableWidget>

namespace qx {

// How one row looks.
struct LayerRowLook {
    QColor background;
    QColor text;
    QFont font;
};

// The colours and font style of a row; the first rule that fits wins: active before locked,
// and a locked layer that is off looks like any other.
LayerRowLook LookOfLayerRow(const LyrDtl& row, const QPalette& palette, const QFont& base);

class LayerGrid : public QTableWidget {
    Q_OBJECT

public:
    // The grid shows `rows`, which its owner keeps and which must outlive the grid.
    LayerGrid(LayerDetailList& rows, QWidget* parent);

    // Makes one grid row per element, each `rowHeight` pixels high.
    void resetRows(int rowHeight);
    // The current row, kNoRow when the grid is empty.
    int currentRowIndex() const;
    void setCurrentRowIndex(int row);

    // Applies one of the quick choices and repaints.
    void applyChoice(int (*choice)(LayerDetailList&, int));

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void repaintRows();

    LayerDetailList& rows_;
};

} // namespace qx
