#include "cadhost/scenario/dialog_actions.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>

#include <algorithm>
#include <map>

namespace cadhost::scenario {
namespace {

std::string Utf8(const QString& s) {
    return s.toUtf8().toStdString();
}
QString Q(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

std::optional<Qt::Key> NamedKey(const std::string& name) {
    static const std::map<std::string, Qt::Key> keys = {
        {"Up", Qt::Key_Up},         {"Down", Qt::Key_Down},
        {"Left", Qt::Key_Left},     {"Right", Qt::Key_Right},
        {"Enter", Qt::Key_Return},  {"Escape", Qt::Key_Escape},
        {"Tab", Qt::Key_Tab},       {"Backtab", Qt::Key_Backtab},
        {"Delete", Qt::Key_Delete}, {"Backspace", Qt::Key_Backspace},
        {"Home", Qt::Key_Home},     {"End", Qt::Key_End},
        {"Space", Qt::Key_Space}};
    const auto it = keys.find(name);
    if (it == keys.end())
        return std::nullopt;
    return it->second;
}

// The text a widget shows, for expectations.
std::string ShownText(QWidget* w) {
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return Utf8(e->text());
    if (auto* s = qobject_cast<QAbstractSpinBox*>(w))
        return Utf8(s->text());
    if (auto* c = qobject_cast<QComboBox*>(w))
        return Utf8(c->currentText());
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return Utf8(b->text());
    if (auto* l = qobject_cast<QLabel*>(w))
        return Utf8(l->text());
    return Utf8(w->windowTitle());
}

QWidget* TextTarget(QWidget* w) {
    if (auto* s = qobject_cast<QAbstractSpinBox*>(w)) {
        if (auto* e = s->findChild<QLineEdit*>())
            return e;
    }
    return w;
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

std::string Click(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, ClickPoint(w));
    if (auto* c = qobject_cast<QComboBox*>(w))
        c->hidePopup();
    return {};
}

std::string Expect(QWidget* w, const Step& a) {
    if (a.words.size() < 4)
        return "usage: expect NAME text|checked|enabled|index|focus VALUE";
    const std::string& what = a.words[2];
    const std::string& want = a.words[3];
    std::string seen;
    if (what == "text")
        seen = ShownText(w);
    else if (what == "checked")
        seen = qobject_cast<QAbstractButton*>(w) && qobject_cast<QAbstractButton*>(w)->isChecked()
                   ? "on"
                   : "off";
    else if (what == "enabled")
        seen = w->isEnabled() ? "on" : "off";
    else if (what == "focus")
        seen = (QApplication::focusWidget() == w || w->isAncestorOf(QApplication::focusWidget()))
                   ? "on"
                   : "off";
    else if (what == "index" && qobject_cast<QComboBox*>(w))
        seen = std::to_string(qobject_cast<QComboBox*>(w)->currentIndex());
    else if (what == "index" && qobject_cast<QListWidget*>(w))
        seen = std::to_string(qobject_cast<QListWidget*>(w)->currentRow());
    else
        return "unknown widget check " + what;
    if (seen != want)
        return a.words[1] + " " + what + ": expected \"" + want + "\", seen \"" + seen + "\"";
    return {};
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
        return Click(w);
    if (verb == "check") {
        auto* b = qobject_cast<QAbstractButton*>(w);
        if (b == nullptr || a.words.size() < 3)
            return "check needs a check box and on or off";
        if (b->isChecked() != (a.words[2] == "on"))
            Click(b);
        return {};
    }
    if (verb == "type" || verb == "clear") {
        QWidget* t = TextTarget(w);
        t->setFocus();
        QTest::keyClick(t, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(t, Qt::Key_Delete);
        if (verb == "type" && a.words.size() > 2)
            TypeText(t, Q(a.words[2]));
        return {};
    }
    if (verb == "choose") {
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
        c->setCurrentIndex(index);
        emit c->activated(index);
        return {};
    }
    if (verb == "key") {
        if (a.words.size() < 3)
            return "key needs a key name";
        QWidget* t = TextTarget(w);
        if (const auto k = NamedKey(a.words[2]))
            QTest::keyClick(t, *k);
        else if (a.words[2].size() == 1)
            QTest::keyClick(t, a.words[2][0]);
        else
            return "unknown key " + a.words[2];
        return {};
    }
    if (verb == "expect")
        return Expect(w, a);
    return "unknown dialog action " + verb;
}

} // namespace cadhost::scenario
