#include "dialogs/text_room.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>

namespace qx {
namespace {

// Room for a step of four digits and a sign in the increment field.
const QString kSpinSample = QStringLiteral("-9999");
// The gap the styles leave between a button's icon and its caption.
constexpr int kIconSpacing = 4;

// What the style draws around the area where the text goes.
QSize Padding(const QWidget& control, const QRect& textArea) {
    return control.size() - textArea.size();
}

QSize LabelSize(const QLabel& label) {
    if (!label.wordWrap())
        return label.sizeHint();
    // A wrapped label can break between words only, so it needs its longest word's width.
    int widest = 0;
    const QFontMetrics metrics = label.fontMetrics();
    static const QRegularExpression kSpaces(QStringLiteral("\\s+"));
    for (const QString& word : label.text().split(kSpaces, Qt::SkipEmptyParts))
        widest = std::max(widest, metrics.horizontalAdvance(word));
    const QMargins margins = label.contentsMargins();
    return {widest + margins.left() + margins.right() + 2 * label.margin(), 0};
}

// A check box or radio button: its indicator, then its text in the rest of its rectangle.
QSize CheckSize(const QAbstractButton& button, QStyle::SubElement textArea,
                QStyle::SubElement indicator) {
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    const QStyle& style = *button.style();
    const QRect area = style.subElementRect(textArea, &option, &button);
    const QSize text = button.fontMetrics().size(Qt::TextShowMnemonic, button.text());
    const int indicatorHeight = style.subElementRect(indicator, &option, &button).height();
    return {text.width() + Padding(button, area).width(),
            std::max(text.height() + Padding(button, area).height(), indicatorHeight)};
}

QSize PushButtonSize(const QPushButton& button) {
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    if (button.isDefault())
        option.features |= QStyleOptionButton::DefaultButton;
    if (button.autoDefault())
        option.features |= QStyleOptionButton::AutoDefaultButton;
    const QRect area =
        button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
    QSize text = button.fontMetrics().size(Qt::TextShowMnemonic, button.text());
    if (!button.icon().isNull()) {
        text.rwidth() += button.iconSize().width() + kIconSpacing;
        text.setHeight(std::max(text.height(), button.iconSize().height()));
    }
    // A caption that touches the frame looks cut off: a space's width of air around it.
    text.rwidth() += TextSpacing(button);
    return text + Padding(button, area);
}

QSize ComboBoxSize(const QComboBox& list) {
    QStyleOptionComboBox option;
    option.initFrom(&list);
    option.editable = list.isEditable();
    option.frame = list.hasFrame();
    const QRect area = list.style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                    QStyle::SC_ComboBoxEditField, &list);
    const QFontMetrics metrics = list.fontMetrics();
    int widest = 0;
    for (int i = 0; i < list.count(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(list.itemText(i)));
    return QSize(widest + TextSpacing(list), metrics.height()) + Padding(list, area);
}

QSize SpinBoxSize(const QAbstractSpinBox& field) {
    QStyleOptionSpinBox option;
    option.initFrom(&field);
    option.frame = field.hasFrame();
    option.buttonSymbols = field.buttonSymbols();
    option.subControls = QStyle::SC_SpinBoxFrame | QStyle::SC_SpinBoxEditField |
                         QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown;
    const QRect area = field.style()->subControlRect(QStyle::CC_SpinBox, &option,
                                                     QStyle::SC_SpinBoxEditField, &field);
    const QFontMetrics metrics = field.fontMetrics();
    return QSize(metrics.horizontalAdvance(kSpinSample) + TextSpacing(field), metrics.height()) +
           Padding(field, area);
}

QSize LineEditSize(const QLineEdit& field) {
    QStyleOptionFrame option;
    option.initFrom(&field);
    option.lineWidth =
        field.hasFrame() ? field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &field)
                         : 0;
    const QRect area = field.style()->subElementRect(QStyle::SE_LineEditContents, &option, &field);
    // Only the height: the field scrolls its text sideways.
    return {0, field.fontMetrics().height() + Padding(field, area).height()};
}

} // namespace

QSize LeastTextSize(const QWidget& control) {
    if (const auto* label = qobject_cast<const QLabel*>(&control))
        return LabelSize(*label);
    if (const auto* check = qobject_cast<const QCheckBox*>(&control))
        return CheckSize(*check, QStyle::SE_CheckBoxContents, QStyle::SE_CheckBoxIndicator);
    if (const auto* radio = qobject_cast<const QRadioButton*>(&control))
        return CheckSize(*radio, QStyle::SE_RadioButtonContents, QStyle::SE_RadioButtonIndicator);
    if (const auto* button = qobject_cast<const QPushButton*>(&control))
        return PushButtonSize(*button);
    if (const auto* list = qobject_cast<const QComboBox*>(&control))
        return ComboBoxSize(*list);
    if (const auto* spin = qobject_cast<const QAbstractSpinBox*>(&control))
        return SpinBoxSize(*spin);
    if (const auto* field = qobject_cast<const QLineEdit*>(&control))
        return LineEditSize(*field);
    if (const auto* box = qobject_cast<const QGroupBox*>(&control))
        return {box->minimumSizeHint().width(), 0};
    return {0, 0};
}

int LeastHeightForWidth(const QWidget& control, int width) {
    const auto* label = qobject_cast<const QLabel*>(&control);
    if (label == nullptr || !label->wordWrap())
        return 0;
    return label->heightForWidth(width);
}

bool PaintsTextOnly(const QWidget& control) {
    return qobject_cast<const QLabel*>(&control) != nullptr ||
           qobject_cast<const QCheckBox*>(&control) != nullptr ||
           qobject_cast<const QRadioButton*>(&control) != nullptr;
}

int TextSpacing(const QWidget& control) {
    return control.fontMetrics().horizontalAdvance(QLatin1Char(' '));
}

} // namespace qx
