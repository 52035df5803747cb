#include "cadhost/scenario/control_actions.h"

#include <cstdlib>
#include <optional>

namespace cadhost::scenario {
namespace {

using qx::form::ClickAt;
using qx::form::Control;
using qx::form::Modifiers;

std::optional<Modifiers> NamedModifier(const std::string& name) {
    if (name == "Shift")
        return qx::form::kShift;
    if (name == "Ctrl")
        return qx::form::kCtrl;
    if (name == "Alt")
        return qx::form::kAlt;
    return std::nullopt;
}

// The one character `utf8` holds, if it holds exactly one.
std::optional<char32_t> OneCharacter(const std::string& utf8) {
    if (utf8.empty())
        return std::nullopt;
    const auto lead = static_cast<unsigned char>(utf8[0]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (utf8.size() != length)
        return std::nullopt;
    if (length == 1)
        return lead;
    char32_t c = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i)
        c = (c << 6) | (static_cast<unsigned char>(utf8[i]) & 0x3F);
    return c;
}

// Presses a key as "Shift+Up", "Ctrl+Space", "PageDown" or one character such as "a".
std::string PressKey(Control& control, const std::string& spec) {
    Modifiers held = qx::form::kNoModifier;
    std::string key = spec;
    for (std::size_t plus = key.find('+'); plus != std::string::npos && plus + 1 < key.size();
         plus = key.find('+')) {
        const auto modifier = NamedModifier(key.substr(0, plus));
        if (!modifier)
            return "unknown modifier " + key.substr(0, plus);
        held |= *modifier;
        key = key.substr(plus + 1);
    }
    if (const auto named = qx::form::KeyNamed(key))
        return control.PressKey(*named, held);
    if (const auto c = OneCharacter(key))
        return control.TypeCharacter(*c, held);
    return "unknown key " + spec;
}

// click W [row N|below] [right] [shift] [ctrl]
std::string Click(Control& control, const Step& a) {
    ClickAt at;
    for (std::size_t i = 2; i < a.words.size(); ++i) {
        const std::string& word = a.words[i];
        if (word == "right")
            at.rightButton = true;
        else if (word == "shift")
            at.held |= qx::form::kShift;
        else if (word == "ctrl")
            at.held |= qx::form::kCtrl;
        else if (word == "below")
            at.belowRows = true;
        else if (word == "row" && i + 1 < a.words.size())
            at.row = std::atoi(a.words[++i].c_str());
        else
            return "usage: click NAME [row N|below] [right] [shift] [ctrl]";
    }
    return control.Click(at);
}

std::string Quoted(const std::string& s) {
    return "\"" + s + "\"";
}

std::string OnOff(bool on) {
    return on ? "on" : "off";
}

std::string Mismatch(const std::string& what, const Step& a, std::size_t word,
                     const std::string& seen) {
    return what + ": expected " + (a.IsPartial(word) ? "a text containing " : "") +
           Quoted(a.words[word]) + ", seen " + Quoted(seen);
}

// expect W items "A" "B" ...: every entry of a list, in order.
std::string CheckItems(const Control& control, const Step& a) {
    std::string seen;
    const auto items = control.Items();
    for (std::size_t i = 0; i < items.size(); ++i)
        seen += (i ? " " : "") + Quoted(items[i]);
    std::string want;
    for (std::size_t i = 3; i < a.words.size(); ++i)
        want += (i > 3 ? " " : "") + Quoted(a.words[i]);
    if (seen != want)
        return a.words[1] + " items: expected " + want + ", seen " + seen;
    return {};
}

// expect W row N text VALUE: one entry of a list.
std::string CheckRow(const Control& control, const Step& a) {
    if (a.words.size() < 6 || a.words[4] != "text")
        return "usage: expect NAME row N text VALUE (this view reads the rows' texts only)";
    const auto items = control.Items();
    const int row = std::atoi(a.words[3].c_str());
    if (row < 0 || row >= static_cast<int>(items.size()))
        return a.words[1] + " has no row " + a.words[3] + " (it has " +
               std::to_string(items.size()) + ")";
    const std::string& seen = items[static_cast<std::size_t>(row)];
    if (!a.Matches(5, seen))
        return Mismatch(a.words[1] + " row " + a.words[3] + " text", a, 5, seen);
    return {};
}

std::string CheckControl(const Control& control, const Step& a) {
    if (a.words.size() < 3)
        return "usage: expect NAME CHECK [VALUE...]";
    const std::string& what = a.words[2];
    if (what == "items")
        return CheckItems(control, a);
    if (what == "row")
        return CheckRow(control, a);
    if (what == "visible" || what == "hidden") {
        if (control.Visible() != (what == "visible"))
            return a.words[1] + " is " + (control.Visible() ? "visible" : "hidden");
        return {};
    }
    if (a.words.size() < 4)
        return "usage: expect NAME " + what + " VALUE";
    if (what == "text") {
        const std::string seen = control.Text();
        if (!a.Matches(3, seen))
            return Mismatch(a.words[1] + " text", a, 3, seen);
        return {};
    }
    std::string seen;
    if (what == "checked")
        seen = OnOff(control.Checked());
    else if (what == "enabled")
        seen = OnOff(control.Enabled());
    else if (what == "focus")
        seen = OnOff(control.Focused());
    else if (what == "index")
        seen = std::to_string(control.CurrentItem());
    else
        return "unknown widget check " + what + " (or one this view cannot read)";
    if (seen != a.words[3])
        return a.words[1] + " " + what + ": expected \"" + a.words[3] + "\", seen \"" + seen + "\"";
    return {};
}

} // namespace

std::string RunControlAction(ViewAutomation& view, const std::string& window, const Step& a) {
    if (a.words.size() < 2)
        return "an action needs a widget name";
    const std::string& verb = a.verb();
    view.ProcessEvents();
    const auto control = view.Controls().Find(window, a.words[1]);
    if (control == nullptr)
        return "the window has no widget named " + a.words[1];
    if (verb == "click")
        return Click(*control, a);
    if (verb == "check") {
        if (a.words.size() < 3)
            return "check needs a check box and on or off";
        return control->SetChecked(a.words[2] == "on");
    }
    if (verb == "type" || verb == "clear")
        return control->ReplaceText(verb == "type" && a.words.size() > 2 ? a.words[2] : "");
    if (verb == "choose") {
        if (a.words.size() < 3)
            return "choose needs a list and an index";
        return control->ChooseItem(std::atoi(a.words[2].c_str()));
    }
    if (verb == "key") {
        if (a.words.size() < 3)
            return "key needs a key name";
        return PressKey(*control, a.words[2]);
    }
    if (verb == "expect") {
        if (auto look = view.CheckLook(window, a))
            return *look;
        return CheckControl(*control, a);
    }
    return "unknown dialog action " + verb;
}

} // namespace cadhost::scenario
