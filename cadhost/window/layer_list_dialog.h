// The host's layer list: each layer with its colour, whether it is on and whether it is
// locked. OK writes the changes to the drawing.
#pragma once

#include "cadhost/model/drawing.h"

#include <QDialog>

class QTableWidget;

namespace cadhost::window {

class LayerListDialog : public QDialog {
    Q_OBJECT
public:
    LayerListDialog(const Drawing& drawing, QWidget* parent = nullptr);
    // Writes the on and locked states shown into the drawing; true when any changed.
    bool ApplyTo(Drawing& drawing) const;
    QTableWidget* Table() const { return table_; }

private:
    QTableWidget* table_;
};

// Lets the user choose one layer that is on; nil when cancelled or when no layer is on.
lgl_addr ChooseLayer(const Drawing& drawing, QWidget* parent);

} // namespace cadhost::window
