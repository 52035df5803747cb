// The dialog in which the user rewrites the text proposed for the entity under review.
//
// Geometry is absolute, in pixels at design size: the client area is 628 x 60 and only the
// width may change. The designed outer height of 98 is kept as this fixed client height; it
// grows where the font needs more room for a text (DesignLayout).
#pragma once

#include "dialogs/design_layout.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace qx {

class TfmEditText : public QDialog {
    Q_OBJECT

public:
    explicit TfmEditText(QWidget* parent = nullptr);

    QLineEdit* eNewText;
    QPushButton* Button1;
    QPushButton* btnCancel;

    // Esc, Cancel and closing the window all end with the Cancel result.
    void reject() override;

private:
    DesignLayout layout_;
};

} // namespace qx
