// The dialog in which the user rewrites the text proposed for the entity under review.
//
// The dialog is built from its form's table (dialogs/form/report_form.h): only the width may
// change, and the height grows where the font needs more room for a text (DesignLayout).
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
