// The function-key panel: two rows of ten keys, F1 to F10 and S1 to S0. Each key shows its
// label, looks pressed when it is a toggle that is on, and carries a marker when its item has a
// value. Its hint is its tooltip and goes to the status line while the mouse is over it.
#pragma once

#include "cadhost/window/panel_model.h"

#include <QAbstractButton>
#include <QWidget>

#include <array>

namespace cadhost::window {

class KeyButton : public QAbstractButton {
    Q_OBJECT
public:
    KeyButton(int position, QWidget* parent);

    void Show(const PanelKey& key);
    const PanelKey& Key() const { return key_; }
    int Position() const { return position_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void Hovered(const QString& hint);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    int position_;
    PanelKey key_;
};

class KeyPanel : public QWidget {
    Q_OBJECT
public:
    explicit KeyPanel(QWidget* parent = nullptr);

    void Show(const PanelKeys& keys);
    const PanelKeys& Shown() const { return shown_; }
    KeyButton* Button(int position) const {
        return buttons_[static_cast<std::size_t>(position - 1)];
    }
    // Presses the key at the position as a click would; false when nothing is there.
    bool Press(int position);

signals:
    void Pressed(int position);
    void HintShown(const QString& hint);

private:
    std::array<KeyButton*, kPanelKeys> buttons_{};
    PanelKeys shown_{};
};

} // namespace cadhost::window
