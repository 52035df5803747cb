#include "dialogs/whole_number_spin_field.h"

#include "dialogs/form/replace_text_form.h"
#include "platform/platform.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>

#include <algorithm>
#include <limits>
#include <string>

namespace qx {
namespace {

constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();

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
    const std::u32string typed = event->text().toStdU32String();
    form::Modifiers held = form::kNoModifier;
    if (event->modifiers().testFlag(Qt::ControlModifier))
        held |= form::kCtrl;
    if (event->modifiers().testFlag(Qt::AltModifier))
        held |= form::kAlt;
    const std::u32string decimalPoint = QLocale().decimalPoint().toStdU32String();
    const form::KeyVerdict verdict = form::TfmReplaceText::FilterIncrementKey(
        {typed, held}, decimalPoint.empty() ? U'.' : decimalPoint.front());
    switch (verdict) {
    case form::KeyVerdict::Pass:
        QAbstractSpinBox::keyPressEvent(event);
        return;
    case form::KeyVerdict::LeaveToWindow:
        event->ignore();
        return;
    case form::KeyVerdict::Refuse:
        platform::Beep();
        event->accept();
        return;
    }
}

} // namespace qx
