// An integer spin field whose value is whatever its text reads as, with no lower or upper
// bound. A QSpinBox keeps a value of its own and holds back texts such as "-" or "" until
// they become a number; this field instead reports every change of its text at once, so a
// dialog can react to an emptied field or a lone sign the moment the user makes it.
#pragma once

#include <QAbstractSpinBox>
#include <QString>

#include <cstdint>

class QLineEdit;

namespace qx {

// The text read as a whole number (an optional sign and decimal digits within the 32-bit
// range); anything else, the empty text included, reads as 0.
std::int32_t ReadWholeNumber(const QString& text);

class WholeNumberSpinField : public QAbstractSpinBox {
    Q_OBJECT

public:
    explicit WholeNumberSpinField(QWidget* parent = nullptr);

    std::int32_t value() const { return ReadWholeNumber(text()); }
    void setValue(std::int32_t value);
    void setText(const QString& text);

    // The edit line inside the field, for watching clicks into it.
    QLineEdit* editor() const { return lineEdit(); }

    // Steps from the present value, stopping at the ends of the 32-bit range.
    void stepBy(int steps) override;

signals:
    void textChanged(const QString& text);

protected:
    StepEnabled stepEnabled() const override;
    // Refuses, with a beep, typed characters that cannot be part of a number. Keys held with
    // Ctrl or Alt are commands and pass.
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace qx
