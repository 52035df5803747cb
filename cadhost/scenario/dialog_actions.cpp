#include "cadhost/scenario/dialog_actions.h"

#include "cadhost/scenario/widget_checks.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>

#include <algorithm>
#include <map>
#include <optional>

namespace cadhost::scenario {
namespace {

QString Q(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

std::optional<Qt::Key> NamedKey(const std::string& name) {
    static const std::map<std::string, Qt::Key> keys = {
        {"Up", Qt::Key_Up},           {"Down", Qt::Key_Down},     {"Left", Qt::Key_Left},
        {"Right", Qt::Key_Right},     {"PageUp", Qt::Key_PageUp}, {"PageDown", Qt::Key_PageDown},
        {"Enter", Qt::Key_Return},    {"Escape", Qt::Key_Escape}, {"Tab", Qt::Key_Tab},
        {"Backtab", Qt::Key_Backtab}, {"Delete", Qt::Key_Delete}, {"Backspace", Qt::Key_Backspace},
        {"Home", Qt::Key_Home},       {"End", Qt::Key_End},       {"Space", Qt::Key_Space},
        {"Insert", Qt::Key_Insert}};
    const auto it = keys.find(name);
    if (it == keys.end())
        return std::nullopt;
    return it->second;
}

std::optional<Qt::KeyboardModifier> NamedModifier(const std::string& name) {
    if (name == "Shift")
        return Qt::ShiftModifier;
    if (name == "Ctrl")
        return Qt::ControlModifier;
    if (name == "Alt")
        return Qt::AltModifier;
    return std::nullopt;
}

// Where a person's key strokes go: the widget, or the widget it hands its focus to.
QWidget* KeyTarget(QWidget* w) {
    while (w->focusProxy() != nullptr)
        w = w->focusProxy();
    return w;
}

// Presses a key as "Shift+Up", "Ctrl+Space", "PageDown" or one character such as "a".
std::string PressKey(QWidget* w, const std::string& spec) {
    Qt::KeyboardModifiers modifiers;
    std::string key = spec;
    for (std::size_t plus = key.find('+'); plus != std::string::npos && plus + 1 < key.size();
         plus = key.find('+')) {
        const auto modifier = NamedModifier(key.substr(0, plus));
        if (!modifier)
            return "unknown modifier " + key.substr(0, plus);
        modifiers |= *modifier;
        key = key.substr(plus + 1);
    }
    if (const auto k = NamedKey(key)) {
        QTest::keyClick(w, *k, modifiers);
        return {};
    }
    if (key.size() == 1) {
        QTest::keyClick(w, key[0], modifiers);
        return {};
    }
    return "unknown key " + spec;
}

// Types a text key by key. QTest maps only ASCII characters to keys; any other character
// arrives as a key event that carries just its text, as an input method would deliver it.
void TypeText(QWidget* w, const QString& text) {
    for (const QChar ch : text) {
        if (ch.unicode() >= 0x20 && ch.unicode() < 0x7F) {
            QTest::keyClick(w, static_cast<char>(ch.unicode()));
            continue;
        }
        QTest::sendKeyEvent(QTest::Press, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
}

// Where a user clicks: on the box of a check box or radio button, elsewhere in the middle.
QPoint ClickPoint(const QWidget* w) {
    if (qobject_cast<const QCheckBox*>(w) != nullptr ||
        qobject_cast<const QRadioButton*>(w) != nullptr)
        return {std::min(6, w->width() / 2), w->height() / 2};
    return w->rect().center();
}

struct ClickPlace {
    QWidget* target = nullptr;
    QPoint at;
    std::string error;
};

// The middle of a row of a list or grid, or the empty area below its last row; the view
// scrolls the row into sight first, as a user would.
ClickPlace RowPlace(QAbstractItemView* view, const std::string& row) {
    QWidget* viewport = view->viewport();
    const int rows = view->model()->rowCount(view->rootIndex());
    if (row == "below") {
        const int y =
            rows == 0
                ? 0
                : view->visualRect(view->model()->index(rows - 1, 0, view->rootIndex())).bottom() +
                      1;
        if (y >= viewport->height())
            return {nullptr, {}, "there is no empty area below the last row"};
        return {viewport, {viewport->width() / 2, (y + viewport->height()) / 2}, {}};
    }
    const int n = std::atoi(row.c_str());
    if (n < 0 || n >= rows)
        return {
            nullptr, {}, "there is no row " + row + " (there are " + std::to_string(rows) + ")"};
    const QModelIndex index = view->model()->index(n, 0, view->rootIndex());
    view->scrollTo(index);
    return {viewport, view->visualRect(index).center(), {}};
}

// click W [row N|below] [right] [shift] [ctrl]
std::string Click(QWidget* w, const Step& a) {
    Qt::MouseButton button = Qt::LeftButton;
    Qt::KeyboardModifiers modifiers;
    std::optional<std::string> row;
    for (std::size_t i = 2; i < a.words.size(); ++i) {
        const std::string& word = a.words[i];
        if (word == "right")
            button = Qt::RightButton;
        else if (word == "shift")
            modifiers |= Qt::ShiftModifier;
        else if (word == "ctrl")
            modifiers |= Qt::ControlModifier;
        else if (word == "below")
            row = word;
        else if (word == "row" && i + 1 < a.words.size())
            row = a.words[++i];
        else
            return "usage: click NAME [row N|below] [right] [shift] [ctrl]";
    }
    ClickPlace place{w, ClickPoint(w), {}};
    auto* view = qobject_cast<QAbstractItemView*>(w);
    if (row) {
        if (view == nullptr)
            return a.words[1] + " has no rows";
        place = RowPlace(view, *row);
    } else if (auto* area = qobject_cast<QAbstractScrollArea*>(w)) {
        // A scrolling area hands the clicks inside it to its viewport.
        place = {area->viewport(), area->viewport()->rect().center(), {}};
    }
    if (!place.error.empty())
        return place.error;
    QTest::mouseClick(place.target, button, modifiers, place.at);
    if (auto* c = qobject_cast<QComboBox*>(w))
        c->hidePopup();
    return {};
}

// Picks an entry of a drop-down list as a user does: a click opens the list, the entry is
// highlighted and taken with Enter. The click runs whatever the dialog does on a click, also
// when the entry stays the same.
std::string ChooseInDropDown(QComboBox* c, int index) {
    if (!c->isEnabled() || !c->isVisible())
        return "the drop-down list cannot be used";
    QTest::mouseClick(c, Qt::LeftButton, Qt::NoModifier, c->rect().center());
    QAbstractItemView* list = c->view();
    if (!list->isVisible())
        return "the drop-down list did not open";
    list->setCurrentIndex(c->model()->index(index, c->modelColumn(), c->rootModelIndex()));
    QTest::keyClick(list, Qt::Key_Return);
    if (list->isVisible()) {
        c->hidePopup();
        return "the entry could not be taken";
    }
    return {};
}

std::string Choose(QWidget* w, const Step& a) {
    if (a.words.size() < 3)
        return "choose needs a list and an index";
    const int index = std::atoi(a.words[2].c_str());
    if (auto* l = qobject_cast<QListWidget*>(w)) {
        if (index < 0 || index >= l->count())
            return "the list has no entry " + a.words[2];
        l->setCurrentRow(index);
        return {};
    }
    auto* c = qobject_cast<QComboBox*>(w);
    if (c == nullptr)
        return "choose needs a drop-down list or a list box and an index";
    if (index < 0 || index >= c->count())
        return "the list has no entry " + a.words[2];
    return ChooseInDropDown(c, index);
}

} // namespace

std::string RunDialogAction(QWidget& dialog, const Step& a) {
    if (a.words.size() < 2)
        return "an action needs a widget name";
    const std::string& verb = a.verb();
    QWidget* w =
        dialog.objectName() == Q(a.words[1]) ? &dialog : dialog.findChild<QWidget*>(Q(a.words[1]));
    if (w == nullptr)
        return "the window has no widget named " + a.words[1];
    QCoreApplication::processEvents();
    if (verb == "click")
        return Click(w, a);
    if (verb == "check") {
        auto* b = qobject_cast<QAbstractButton*>(w);
        if (b == nullptr || a.words.size() < 3)
            return "check needs a check box and on or off";
        if (b->isChecked() != (a.words[2] == "on"))
            QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, ClickPoint(b));
        return {};
    }
    if (verb == "type" || verb == "clear") {
        QWidget* t = KeyTarget(w);
        t->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(t, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(t, Qt::Key_Delete);
        if (verb == "type" && a.words.size() > 2)
            TypeText(t, Q(a.words[2]));
        return {};
    }
    if (verb == "choose")
        return Choose(w, a);
    if (verb == "key") {
        if (a.words.size() < 3)
            return "key needs a key name";
        QWidget* t = KeyTarget(w);
        // A person's keys reach the widget that has the focus.
        if (t->focusPolicy() != Qt::NoFocus)
            t->setFocus(Qt::OtherFocusReason);
        return PressKey(t, a.words[2]);
    }
    if (verb == "expect")
        return CheckWidget(*w, a);
    return "unknown dialog action " + verb;
}

} // namespace cadhost::scenario
