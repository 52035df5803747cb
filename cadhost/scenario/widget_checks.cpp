#include "cadhost/scenario/widget_checks.h"

#include "cadhost/scenario/look_checks.h"
#include "cadhost/scenario/painted_text.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollArea>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <set>

namespace cadhost::scenario {
namespace {

std::string Utf8(const QString& s) {
    return s.toUtf8().toStdString();
}

std::string OnOff(bool on) {
    return on ? "on" : "off";
}

Rgb RgbOf(const QColor& colour) {
    return {static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
            static_cast<std::uint8_t>(colour.blue())};
}

FontStyles StylesOf(const QFont& font) {
    FontStyles styles = kFontPlain;
    if (font.bold())
        styles |= kFontBold;
    if (font.italic())
        styles |= kFontItalic;
    if (font.underline())
        styles |= kFontUnderline;
    if (font.strikeOut())
        styles |= kFontStrikeout;
    return styles;
}

// The text a widget shows.
std::string ShownText(const QWidget& w) {
    if (auto* e = qobject_cast<const QLineEdit*>(&w))
        return Utf8(e->text());
    if (auto* s = qobject_cast<const QAbstractSpinBox*>(&w))
        return Utf8(s->text());
    if (auto* c = qobject_cast<const QComboBox*>(&w))
        return Utf8(c->currentText());
    if (auto* b = qobject_cast<const QAbstractButton*>(&w))
        return Utf8(b->text());
    if (auto* l = qobject_cast<const QLabel*>(&w))
        return Utf8(l->text());
    return Utf8(w.windowTitle());
}

Look LookOf(const QWidget& w) {
    return {ShownText(w), RgbOf(w.palette().color(w.foregroundRole())), StylesOf(w.font()),
            Utf8(w.toolTip()), w.isVisible()};
}

// A row as painted: the view's own text when it has one, otherwise the texts its painting
// code draws (an owner-drawn grid keeps its texts elsewhere).
Look LookOfRow(const QAbstractItemView& view, int row) {
    const QModelIndex index = view.model()->index(row, 0, view.rootIndex());
    const std::vector<PaintedText> painted = PaintRow(view, row);
    Look look;
    look.text = Utf8(index.data(Qt::DisplayRole).toString());
    if (look.text.empty()) {
        for (const PaintedText& p : painted)
            look.text += Utf8(p.text);
    }
    if (!painted.empty()) {
        look.colour = RgbOf(painted.front().colour);
        look.font = StylesOf(painted.front().font);
    }
    look.hint = Utf8(index.data(Qt::ToolTipRole).toString());
    return look;
}

// The labels of a scrolling area's content, from top to bottom, as its rows.
std::vector<const QLabel*> LabelRows(const QScrollArea& area) {
    std::vector<const QLabel*> rows;
    const QWidget* content = area.widget();
    if (content == nullptr)
        return rows;
    for (const QLabel* label : content->findChildren<const QLabel*>()) {
        if (label->isVisibleTo(content))
            rows.push_back(label);
    }
    std::ranges::sort(rows, [](const QLabel* a, const QLabel* b) {
        return a->y() != b->y() ? a->y() < b->y() : a->x() < b->x();
    });
    return rows;
}

int RowCount(const QWidget& w) {
    if (auto* c = qobject_cast<const QComboBox*>(&w))
        return c->count();
    if (auto* v = qobject_cast<const QAbstractItemView*>(&w))
        return v->model()->rowCount(v->rootIndex());
    if (auto* s = qobject_cast<const QScrollArea*>(&w))
        return static_cast<int>(LabelRows(*s).size());
    return -1;
}

Look LookOfRow(const QWidget& w, int row) {
    if (auto* c = qobject_cast<const QComboBox*>(&w))
        return {Utf8(c->itemText(row)), std::nullopt, std::nullopt, std::string{}, true};
    if (auto* v = qobject_cast<const QAbstractItemView*>(&w))
        return LookOfRow(*v, row);
    return LookOf(*LabelRows(*qobject_cast<const QScrollArea*>(&w))[static_cast<std::size_t>(row)]);
}

std::string Quoted(const std::string& s) {
    return "\"" + s + "\"";
}

// expect W items "A" "B" ...: every entry of a list, grid or drop-down, or every text of a
// scrolling area, in order.
std::string CheckItems(const QWidget& w, const Step& a) {
    const int count = RowCount(w);
    if (count < 0)
        return a.words[1] + " has no items";
    std::string seen;
    for (int row = 0; row < count; ++row)
        seen += (row ? " " : "") + Quoted(LookOfRow(w, row).text);
    std::string want;
    for (std::size_t i = 3; i < a.words.size(); ++i)
        want += (i > 3 ? " " : "") + Quoted(a.words[i]);
    if (seen != want)
        return a.words[1] + " items: expected " + want + ", seen " + seen;
    return {};
}

// expect W row N CHECK VALUE: one entry of a list, grid or drop-down, or the N-th text of a
// scrolling area from the top.
std::string CheckRow(const QWidget& w, const Step& a) {
    if (a.words.size() < 5)
        return "usage: expect NAME row N CHECK [VALUE]";
    const int count = RowCount(w);
    if (count < 0)
        return a.words[1] + " has no rows";
    const int row = std::atoi(a.words[3].c_str());
    if (row < 0 || row >= count)
        return a.words[1] + " has no row " + a.words[3] + " (it has " + std::to_string(count) + ")";
    return CheckLook(LookOfRow(w, row), a, 4, a.words[1] + " row " + a.words[3]);
}

std::string CheckState(const QWidget& w, const Step& a) {
    const std::string& what = a.words[2];
    const std::string& want = a.words[3];
    std::string seen;
    if (what == "checked") {
        const auto* b = qobject_cast<const QAbstractButton*>(&w);
        seen = OnOff(b != nullptr && b->isChecked());
    } else if (what == "enabled") {
        seen = OnOff(w.isEnabled());
    } else if (what == "focus") {
        const QWidget* focus = QApplication::focusWidget();
        seen = OnOff(focus == &w || w.isAncestorOf(focus));
    } else if (auto* c = qobject_cast<const QComboBox*>(&w); what == "index" && c) {
        seen = std::to_string(c->currentIndex());
    } else if (auto* v = qobject_cast<const QAbstractItemView*>(&w); what == "index" && v) {
        seen = std::to_string(v->currentIndex().isValid() ? v->currentIndex().row() : -1);
    } else {
        return CheckLook(LookOf(w), a, 2, a.words[1]);
    }
    if (seen != want)
        return a.words[1] + " " + what + ": expected \"" + want + "\", seen \"" + seen + "\"";
    return {};
}

} // namespace

std::string CheckWidget(QWidget& w, const Step& a) {
    if (a.words.size() < 3)
        return "usage: expect NAME CHECK [VALUE...]";
    const std::string& what = a.words[2];
    if (what == "items")
        return CheckItems(w, a);
    if (what == "row")
        return CheckRow(w, a);
    if (what == "visible" || what == "hidden")
        return CheckLook(LookOf(w), a, 2, a.words[1]);
    if (a.words.size() < 4)
        return "usage: expect NAME " + what + " VALUE";
    return CheckState(w, a);
}

} // namespace cadhost::scenario
