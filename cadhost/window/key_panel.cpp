#include "cadhost/window/key_panel.h"

#include "cadhost/window/look.h"

#include <QEnterEvent>
#include <QGridLayout>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace cadhost::window {
namespace {

constexpr int kKeyHeight = 40;
constexpr int kKeyMinWidth = 96;
constexpr int kMarkerWidth = 4;
constexpr int kPadding = 6;

QString Q(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

} // namespace

KeyButton::KeyButton(int position, QWidget* parent) : QAbstractButton(parent), position_(position) {
    setObjectName(QStringLiteral("key") + Q(PositionName(position)));
    setFocusPolicy(Qt::NoFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setEnabled(false);
}

void KeyButton::Show(const PanelKey& key) {
    key_ = key;
    setEnabled(key.owner != KeyOwner::None);
    setCheckable(key.toggle);
    setChecked(key.toggle && key.on);
    setText(Q(key.text));
    setToolTip(Q(key.hint));
    update();
}

QSize KeyButton::sizeHint() const {
    return {kKeyMinWidth, kKeyHeight};
}

QSize KeyButton::minimumSizeHint() const {
    return {kKeyMinWidth / 2, kKeyHeight};
}

void KeyButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    if (key_.owner == KeyOwner::None) {
        // An empty key is a flat slot, so that the keys that do something stand out.
        painter.setPen(palette().color(QPalette::Mid));
        painter.setBrush(palette().color(QPalette::Window));
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
        QFont small = font();
        small.setPointSizeF(font().pointSizeF() * 0.8);
        painter.setFont(small);
        painter.setPen(palette().color(QPalette::Disabled, QPalette::WindowText));
        painter.drawText(rect().adjusted(kPadding, 2, -kPadding, -2), Qt::AlignLeft | Qt::AlignTop,
                         Q(PositionName(position_)));
        return;
    }
    QStyleOptionButton option;
    option.initFrom(this);
    option.features = QStyleOptionButton::None;
    if (isDown() || isChecked())
        option.state |= QStyle::State_Sunken | QStyle::State_On;
    else
        option.state |= QStyle::State_Raised;
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    const QRect inner = rect().adjusted(kPadding, 2, -kPadding, -2);
    QFont small = font();
    small.setPointSizeF(font().pointSizeF() * 0.8);
    painter.setFont(small);
    painter.setPen(palette().color(QPalette::Disabled, QPalette::WindowText));
    painter.drawText(inner, Qt::AlignLeft | Qt::AlignTop, Q(PositionName(position_)));

    if (key_.marked) {
        painter.fillRect(QRect(1, 3, kMarkerWidth, height() - 6), kKeyMarker);
        const QRect dot(width() - kPadding - 6, 5, 6, 6);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(kKeyMarker);
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(dot);
    }
    QFont label = font();
    label.setBold(key_.marked || (key_.toggle && key_.on));
    painter.setFont(label);
    painter.setPen(palette().color(QPalette::ButtonText));
    const QRect textArea = inner.adjusted(0, inner.height() / 3, 0, 0);
    const QString shown = QFontMetrics(label).elidedText(text(), Qt::ElideRight, textArea.width());
    painter.drawText(textArea, Qt::AlignHCenter | Qt::AlignVCenter, shown);
}

void KeyButton::enterEvent(QEnterEvent* event) {
    QAbstractButton::enterEvent(event);
    if (key_.owner != KeyOwner::None)
        emit Hovered(Q(key_.hint));
}

void KeyButton::leaveEvent(QEvent* event) {
    QAbstractButton::leaveEvent(event);
    emit Hovered(QString());
}

KeyPanel::KeyPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("keyPanel"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(4, 2, 4, 4);
    grid->setSpacing(3);
    for (int position = 1; position <= kPanelKeys; ++position) {
        auto* button = new KeyButton(position, this);
        buttons_[static_cast<std::size_t>(position - 1)] = button;
        grid->addWidget(button, (position - 1) / 10, (position - 1) % 10);
        // A toggle's look follows the macro's label, never the click itself.
        connect(button, &QAbstractButton::clicked, this, [this, button] {
            button->setChecked(button->Key().toggle && button->Key().on);
            emit Pressed(button->Position());
        });
        connect(button, &KeyButton::Hovered, this, &KeyPanel::HintShown);
    }
}

void KeyPanel::Show(const PanelKeys& keys) {
    shown_ = keys;
    for (std::size_t i = 0; i < keys.size(); ++i)
        buttons_[i]->Show(keys[i]);
}

bool KeyPanel::Press(int position) {
    if (position < 1 || position > kPanelKeys)
        return false;
    KeyButton* button = Button(position);
    if (!button->isEnabled())
        return false;
    button->click();
    return true;
}

} // namespace cadhost::window
