#include "dialogs/whole_number_spin_field.h"

#include "platform/platform.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>

#include <algorithm>
#include <limits>

namespace qx {
namespace {

constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();

// Digits, both signs and the decimal separator may be typed; the separator is let through
// because a user may type it, and the field then reads the text as it reads any other.
bool MayBeTyped(QChar c) {
    if (c.isDigit() || c == u'+' || c == u'-')
        return true;
    return QLocale().decimalPoint() == QString(c);
}

} // namespace

std::int32_t ReadWholeNumber(const QString& text) {
    if (text.isEmpty())
        return 0;
    qsizetype digitsFrom = 0;
    if (text.front() == u'+' || text.front() == u'-')
        digitsFrom = 1;
    if (digitsFrom == text.size())
        return 0;
    for (qsizetype i = digitsFrom; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < u'0' || c > u'9')
            return 0;
    }
    bool ok = false;
    const qlonglong number = text.toLongLong(&ok);
    if (!ok || number < kMin || number > kMax)
        return 0;
    return static_cast<std::int32_t>(number);
}

WholeNumberSpinField::WholeNumberSpinField(QWidget* parent) : QAbstractSpinBox(parent) {
    connect(lineEdit(), &QLineEdit::textChanged, this, &WholeNumberSpinField::textChanged);
}

void WholeNumberSpinField::setValue(std::int32_t value) {
    setText(QString::number(value));
}

void WholeNumberSpinField::setText(const QString& text) {
    lineEdit()->setText(text);
}

void WholeNumberSpinField::stepBy(int steps) {
    const std::int64_t next = std::clamp(std::int64_t{value()} + steps, kMin, kMax);
    setValue(static_cast<std::int32_t>(next));
}

QAbstractSpinBox::StepEnabled WholeNumberSpinField::stepEnabled() const {
    if (isReadOnly())
        return StepNone;
    StepEnabled enabled = StepNone;
    if (value() < kMax)
        enabled |= StepUpEnabled;
    if (value() > kMin)
        enabled |= StepDownEnabled;
    return enabled;
}

void WholeNumberSpinField::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->text();
    const bool isCharacter = !typed.isEmpty() && typed.front().isPrint();
    if (isCharacter && !std::all_of(typed.begin(), typed.end(), MayBeTyped)) {
        platform::Beep();
        event->accept();
        return;
    }
    QAbstractSpinBox::keyPressEvent(event);
}

} // namespace qx
