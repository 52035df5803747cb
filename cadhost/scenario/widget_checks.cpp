#include "cadhost/scenario/widget_checks.h"

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

// The styles a font check names, in the order a transcript lists them.
const char* const kFontStyles[] = {"bold", "italic", "underline", "strikeout"};

std::string FontStyle(const QFont& font) {
    const bool styles[] = {font.bold(), font.italic(), font.underline(), font.strikeOut()};
    std::string s;
    for (std::size_t i = 0; i < std::size(styles); ++i) {
        if (styles[i])
            s += (s.empty() ? "" : " ") + std::string(kFontStyles[i]);
    }
    return s.empty() ? "plain" : s;
}

// The style words of a check, in the transcript's order; empty when one is unknown.
std::optional<std::string> WantedFontStyle(const Step& a, std::size_t from) {
    std::set<std::string> wanted(a.words.begin() + static_cast<std::ptrdiff_t>(from),
                                 a.words.end());
    std::string s;
    for (const char* style : kFontStyles) {
        if (wanted.erase(style) > 0)
            s += (s.empty() ? "" : " ") + std::string(style);
    }
    if (wanted.erase("plain") > 0 && !s.empty())
        return std::nullopt;
    if (!wanted.empty())
        return std::nullopt;
    return s.empty() ? "plain" : s;
}

// "255,160,122", or a colour name such as red, lime or lightsalmon.
std::optional<QColor> ParseColour(const std::string& word) {
    int r = -1;
    int g = -1;
    int b = -1;
    char end = 0;
    if (std::sscanf(word.c_str(), "%d,%d,%d%c", &r, &g, &b, &end) == 3) {
        if (r < 0 || r > 255 || g < 0 || g > 255 || b < 0 || b > 255)
            return std::nullopt;
        return QColor(r, g, b);
    }
    const QColor named = QColor::fromString(QString::fromStdString(word));
    if (!named.isValid())
        return std::nullopt;
    return named;
}

std::string ColourText(const QColor& colour) {
    return std::to_string(colour.red()) + "," + std::to_string(colour.green()) + "," +
           std::to_string(colour.blue());
}

// What a user sees of one thing: a widget, or a row of a list or grid.
struct Look {
    std::string text;
    std::optional<QColor> colour;
    std::optional<QFont> font;
    std::string hint;
    bool visible = true;
};

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
    return {ShownText(w), w.palette().color(w.foregroundRole()), w.font(), Utf8(w.toolTip()),
            w.isVisible()};
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
        look.colour = painted.front().colour;
        look.font = painted.front().font;
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
        return {Utf8(c->itemText(row)), std::nullopt, std::nullopt, {}, true};
    if (auto* v = qobject_cast<const QAbstractItemView*>(&w))
        return LookOfRow(*v, row);
    return LookOf(*LabelRows(*qobject_cast<const QScrollArea*>(&w))[static_cast<std::size_t>(row)]);
}

std::string Quoted(const std::string& s) {
    return "\"" + s + "\"";
}

std::string Mismatch(const std::string& what, const std::string& want, const std::string& seen,
                     bool partial = false) {
    return what + ": expected " + (partial ? "a text containing " : "") + Quoted(want) + ", seen " +
           Quoted(seen);
}

// The checks that apply to a widget and to a row alike, from word `at` of the action on.
std::string CheckLook(const Look& look, const Step& a, std::size_t at, const std::string& name) {
    const std::string& what = a.words[at];
    const std::string subject = name + " " + what;
    if (what == "visible" || what == "hidden") {
        if (look.visible != (what == "visible"))
            return name + " is " + (look.visible ? "visible" : "hidden");
        return {};
    }
    if (at + 1 >= a.words.size())
        return "usage: expect NAME " + what + " VALUE";
    if (what == "text") {
        if (!a.Matches(at + 1, look.text))
            return Mismatch(subject, a.words[at + 1], look.text, a.IsPartial(at + 1));
        return {};
    }
    if (what == "hint") {
        if (!a.Matches(at + 1, look.hint))
            return Mismatch(subject, a.words[at + 1], look.hint, a.IsPartial(at + 1));
        return {};
    }
    if (what == "colour") {
        const auto want = ParseColour(a.words[at + 1]);
        if (!want)
            return "not a colour: " + a.words[at + 1] + " (write R,G,B or a name such as red)";
        if (!look.colour)
            return name + " shows no text to have a colour";
        if (look.colour->rgb() != want->rgb())
            return Mismatch(subject, ColourText(*want), ColourText(*look.colour));
        return {};
    }
    if (what == "font") {
        const auto want = WantedFontStyle(a, at + 1);
        if (!want)
            return "a font is plain, or any of bold, italic, underline and strikeout";
        if (!look.font)
            return name + " shows no text to have a font";
        const std::string seen = FontStyle(*look.font);
        if (seen != *want)
            return Mismatch(subject, *want, seen);
        return {};
    }
    return "unknown widget check " + what;
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
