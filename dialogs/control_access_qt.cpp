#include "dialogs/control_access_qt.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QRadioButton>
#include <QTest>

#include <algorithm>

namespace qx {
namespace {

QString Q(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

Qt::KeyboardModifiers QtModifiers(form::Modifiers held) {
    Qt::KeyboardModifiers modifiers;
    if ((held & form::kShift) != 0)
        modifiers |= Qt::ShiftModifier;
    if ((held & form::kCtrl) != 0)
        modifiers |= Qt::ControlModifier;
    if ((held & form::kAlt) != 0)
        modifiers |= Qt::AltModifier;
    return modifiers;
}

Qt::Key QtKey(form::Key key) {
    switch (key) {
    case form::Key::Tab:
        return Qt::Key_Tab;
    case form::Key::Backtab:
        return Qt::Key_Backtab;
    case form::Key::Enter:
        return Qt::Key_Return;
    case form::Key::Escape:
        return Qt::Key_Escape;
    case form::Key::Space:
        return Qt::Key_Space;
    case form::Key::Up:
        return Qt::Key_Up;
    case form::Key::Down:
        return Qt::Key_Down;
    case form::Key::Left:
        return Qt::Key_Left;
    case form::Key::Right:
        return Qt::Key_Right;
    case form::Key::PageUp:
        return Qt::Key_PageUp;
    case form::Key::PageDown:
        return Qt::Key_PageDown;
    case form::Key::Home:
        return Qt::Key_Home;
    case form::Key::End:
        return Qt::Key_End;
    case form::Key::Insert:
        return Qt::Key_Insert;
    case form::Key::Delete:
        return Qt::Key_Delete;
    case form::Key::Backspace:
        return Qt::Key_Backspace;
    }
    return Qt::Key_unknown;
}

// Where a person's key strokes go: the widget, or the widget it hands its focus to.
QWidget* KeyTarget(QWidget* w) {
    while (w->focusProxy() != nullptr)
        w = w->focusProxy();
    return w;
}

// Where a user clicks: on the box of a check box or radio button, elsewhere in the middle.
QPoint ClickPoint(const QWidget* w) {
    if (qobject_cast<const QCheckBox*>(w) != nullptr ||
        qobject_cast<const QRadioButton*>(w) != nullptr)
        return {std::min(6, w->width() / 2), w->height() / 2};
    return w->rect().center();
}

// Sends one character as a key event; characters beyond ASCII arrive with only their text, as
// an input method delivers them.
void SendCharacter(QWidget* w, char32_t c, Qt::KeyboardModifiers modifiers) {
    if (c >= 0x20 && c < 0x7F) {
        QTest::keyClick(w, static_cast<char>(c), modifiers);
        return;
    }
    const QString text = QString::fromUcs4(&c, 1);
    QTest::sendKeyEvent(QTest::Press, w, Qt::Key_unknown, text, modifiers);
    QTest::sendKeyEvent(QTest::Release, w, Qt::Key_unknown, text, modifiers);
}

class QtControl final : public form::Control {
public:
    explicit QtControl(QWidget& widget) : widget_(&widget) {}

    std::string Text() const override {
        if (!widget_)
            return {};
        if (const auto* edit = qobject_cast<const QLineEdit*>(widget_))
            return edit->text().toStdString();
        if (const auto* spin = qobject_cast<const QAbstractSpinBox*>(widget_))
            return spin->text().toStdString();
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget_))
            return button->text().toStdString();
        if (const auto* label = qobject_cast<const QLabel*>(widget_))
            return label->text().toStdString();
        if (const auto* box = qobject_cast<const QGroupBox*>(widget_))
            return box->title().toStdString();
        if (const auto* list = qobject_cast<const QComboBox*>(widget_))
            return list->currentText().toStdString();
        if (widget_->isWindow())
            return widget_->windowTitle().toStdString();
        return {};
    }
    bool Checked() const override {
        const auto* button = qobject_cast<const QAbstractButton*>(widget_);
        return button != nullptr && button->isChecked();
    }
    bool Enabled() const override { return widget_ && widget_->isEnabled(); }
    bool Visible() const override { return widget_ && widget_->isVisible(); }
    bool Focused() const override {
        if (!widget_)
            return false;
        const QWidget* focus = QApplication::focusWidget();
        return focus != nullptr &&
               (focus == widget_ || KeyTarget(widget_) == focus || focus->focusProxy() == widget_ ||
                (focus->parentWidget() == widget_ &&
                 qobject_cast<QAbstractSpinBox*>(widget_) != nullptr));
    }
    std::vector<std::string> Items() const override {
        std::vector<std::string> items;
        if (const auto* list = qobject_cast<const QComboBox*>(widget_)) {
            for (int i = 0; i < list->count(); ++i)
                items.push_back(list->itemText(i).toStdString());
        } else if (const auto* box = qobject_cast<const QListWidget*>(widget_)) {
            for (int i = 0; i < box->count(); ++i)
                items.push_back(box->item(i)->text().toStdString());
        }
        return items;
    }
    int CurrentItem() const override {
        if (const auto* list = qobject_cast<const QComboBox*>(widget_))
            return list->currentIndex();
        if (const auto* box = qobject_cast<const QListWidget*>(widget_))
            return box->currentRow();
        // A grid's current row.
        if (const auto* view = qobject_cast<const QAbstractItemView*>(widget_))
            return view->currentIndex().isValid() ? view->currentIndex().row() : -1;
        return -1;
    }

    std::string Click(const form::ClickAt& at) override {
        if (!usable())
            return "the control cannot be used";
        const Qt::MouseButton button = at.rightButton ? Qt::RightButton : Qt::LeftButton;
        const Qt::KeyboardModifiers modifiers = QtModifiers(at.held);
        QWidget* target = widget_;
        QPoint point = ClickPoint(widget_);
        auto* view = qobject_cast<QAbstractItemView*>(widget_.data());
        if (at.row || at.belowRows) {
            if (view == nullptr)
                return "the control has no rows";
            target = view->viewport();
            if (at.belowRows) {
                point = {target->width() / 2, target->height() - 2};
            } else {
                const QModelIndex index = view->model()->index(*at.row, 0);
                if (!index.isValid())
                    return "there is no row " + std::to_string(*at.row) + " (there are " +
                           std::to_string(view->model()->rowCount()) + ")";
                view->scrollTo(index);
                point = view->visualRect(index).center();
            }
        } else if (auto* area = qobject_cast<QAbstractScrollArea*>(widget_.data())) {
            // A scrolling area hands the clicks inside it to its viewport.
            target = area->viewport();
            point = target->rect().center();
        }
        QTest::mouseClick(target, button, modifiers, point);
        if (auto* list = qobject_cast<QComboBox*>(widget_.data()))
            list->hidePopup();
        return {};
    }
    std::string SetChecked(bool checked) override {
        auto* button = qobject_cast<QAbstractButton*>(widget_.data());
        if (button == nullptr)
            return "the control cannot be ticked";
        if (!usable())
            return "the control cannot be used";
        if (button->isChecked() != checked)
            QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, ClickPoint(button));
        return {};
    }
    std::string ReplaceText(std::string_view utf8) override {
        if (!usable())
            return "the control cannot be used";
        QWidget* target = KeyTarget(widget_);
        target->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(target, Qt::Key_Delete);
        for (const char32_t c : Q(utf8).toStdU32String())
            SendCharacter(target, c, Qt::NoModifier);
        return {};
    }
    std::string ChooseItem(int index) override {
        if (!usable())
            return "the control cannot be used";
        if (auto* box = qobject_cast<QListWidget*>(widget_.data())) {
            if (index < 0 || index >= box->count())
                return "the list has no entry " + std::to_string(index);
            box->setCurrentRow(index);
            return {};
        }
        auto* list = qobject_cast<QComboBox*>(widget_.data());
        if (list == nullptr)
            return "the control has no entries to choose";
        if (index < 0 || index >= list->count())
            return "the list has no entry " + std::to_string(index);
        // A click opens the list, the entry is highlighted and taken with Enter; the click runs
        // whatever the dialog does on a click, also when the entry stays the same.
        QTest::mouseClick(list, Qt::LeftButton, Qt::NoModifier, list->rect().center());
        QAbstractItemView* view = list->view();
        if (!view->isVisible())
            return "the drop-down list did not open";
        view->setCurrentIndex(
            list->model()->index(index, list->modelColumn(), list->rootModelIndex()));
        QTest::keyClick(view, Qt::Key_Return);
        if (view->isVisible()) {
            list->hidePopup();
            return "the entry could not be taken";
        }
        return {};
    }
    std::string PressKey(form::Key key, form::Modifiers held) override {
        QWidget* target = focusTarget();
        if (target == nullptr)
            return "the control is gone";
        QTest::keyClick(target, QtKey(key), QtModifiers(held));
        return {};
    }
    std::string TypeCharacter(char32_t c, form::Modifiers held) override {
        QWidget* target = focusTarget();
        if (target == nullptr)
            return "the control is gone";
        SendCharacter(target, c, QtModifiers(held));
        return {};
    }

private:
    bool usable() const { return widget_ && widget_->isEnabled() && widget_->isVisible(); }
    // A person's keys reach the widget that has the focus.
    QWidget* focusTarget() const {
        if (!widget_)
            return nullptr;
        QWidget* target = KeyTarget(widget_);
        if (target->focusPolicy() != Qt::NoFocus)
            target->setFocus(Qt::OtherFocusReason);
        return target;
    }

    QPointer<QWidget> widget_;
};

QWidget* OpenWindow(std::string_view name) {
    const QString wanted = Q(name);
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->objectName() == wanted)
            return window;
    }
    return nullptr;
}

} // namespace

std::vector<std::string> QtControlAccess::OpenWindows() const {
    std::vector<std::string> names;
    QWidget* active = QApplication::activeModalWidget();
    if (active == nullptr)
        active = QApplication::activeWindow();
    if (active != nullptr && !active->objectName().isEmpty())
        names.push_back(active->objectName().toStdString());
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window == active || !window->isVisible() || window->objectName().isEmpty())
            continue;
        names.push_back(window->objectName().toStdString());
    }
    return names;
}

std::unique_ptr<form::Control> QtControlAccess::Find(std::string_view window,
                                                     std::string_view control) const {
    QWidget* top = OpenWindow(window);
    if (top == nullptr)
        return nullptr;
    QWidget* widget = control == window ? top : top->findChild<QWidget*>(Q(control));
    if (widget == nullptr)
        return nullptr;
    return std::make_unique<QtControl>(*widget);
}

} // namespace qx
