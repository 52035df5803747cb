#include "cadhost/scenario/look_checks.h"

#include <array>
#include <cstdio>
#include <set>
#include <string_view>
#include <utility>

namespace cadhost::scenario {
namespace {

// The styles a font check names, in the order a transcript lists them.
constexpr std::array<std::pair<FontStyle, const char*>, 4> kFontStyleNames = {{
    {kFontBold, "bold"},
    {kFontItalic, "italic"},
    {kFontUnderline, "underline"},
    {kFontStrikeout, "strikeout"},
}};

// The colour names scenarios use, with the values the web's colour names give them.
constexpr std::array<std::pair<std::string_view, Rgb>, 20> kColourNames = {{
    {"black", {0, 0, 0}},        {"white", {255, 255, 255}},       {"red", {255, 0, 0}},
    {"lime", {0, 255, 0}},       {"green", {0, 128, 0}},           {"blue", {0, 0, 255}},
    {"navy", {0, 0, 128}},       {"yellow", {255, 255, 0}},        {"cyan", {0, 255, 255}},
    {"aqua", {0, 255, 255}},     {"magenta", {255, 0, 255}},       {"fuchsia", {255, 0, 255}},
    {"maroon", {128, 0, 0}},     {"olive", {128, 128, 0}},         {"purple", {128, 0, 128}},
    {"teal", {0, 128, 128}},     {"gray", {128, 128, 128}},        {"grey", {128, 128, 128}},
    {"silver", {192, 192, 192}}, {"lightsalmon", {255, 160, 122}},
}};

std::string FontStyleText(FontStyles styles) {
    std::string s;
    for (const auto& [style, name] : kFontStyleNames) {
        if ((styles & style) != 0)
            s += (s.empty() ? "" : " ") + std::string(name);
    }
    return s.empty() ? "plain" : s;
}

// The style words of a check, in the transcript's order; none when one is unknown.
std::optional<std::string> WantedFontStyle(const Step& a, std::size_t from) {
    std::set<std::string> wanted(a.words.begin() + static_cast<std::ptrdiff_t>(from),
                                 a.words.end());
    FontStyles styles = kFontPlain;
    for (const auto& [style, name] : kFontStyleNames) {
        if (wanted.erase(name) > 0)
            styles |= style;
    }
    if (wanted.erase("plain") > 0 && styles != kFontPlain)
        return std::nullopt;
    if (!wanted.empty())
        return std::nullopt;
    return FontStyleText(styles);
}

std::string ColourText(const Rgb& colour) {
    return std::to_string(colour.red) + "," + std::to_string(colour.green) + "," +
           std::to_string(colour.blue);
}

std::string Quoted(const std::string& s) {
    return "\"" + s + "\"";
}

std::string Mismatch(const std::string& what, const std::string& want, const std::string& seen,
                     bool partial = false) {
    return what + ": expected " + (partial ? "a text containing " : "") + Quoted(want) + ", seen " +
           Quoted(seen);
}

} // namespace

std::optional<Rgb> ParseColour(const std::string& word) {
    int r = -1;
    int g = -1;
    int b = -1;
    char end = 0;
    if (std::sscanf(word.c_str(), "%d,%d,%d%c", &r, &g, &b, &end) == 3) {
        if (r < 0 || r > 255 || g < 0 || g > 255 || b < 0 || b > 255)
            return std::nullopt;
        return Rgb{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                   static_cast<std::uint8_t>(b)};
    }
    for (const auto& [name, rgb] : kColourNames) {
        if (name == word)
            return rgb;
    }
    return std::nullopt;
}

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
        if (!look.hint)
            return name + " has no hint this view can read";
        if (!a.Matches(at + 1, *look.hint))
            return Mismatch(subject, a.words[at + 1], *look.hint, a.IsPartial(at + 1));
        return {};
    }
    if (what == "colour") {
        const auto want = ParseColour(a.words[at + 1]);
        if (!want)
            return "not a colour: " + a.words[at + 1] + " (write R,G,B or a name such as red)";
        if (!look.colour)
            return name + " shows no text to have a colour";
        if (*look.colour != *want)
            return Mismatch(subject, ColourText(*want), ColourText(*look.colour));
        return {};
    }
    if (what == "font") {
        const auto want = WantedFontStyle(a, at + 1);
        if (!want)
            return "a font is plain, or any of bold, italic, underline and strikeout";
        if (!look.font)
            return name + " shows no text to have a font";
        const std::string seen = FontStyleText(*look.font);
        if (seen != *want)
            return Mismatch(subject, *want, seen);
        return {};
    }
    return "unknown widget check " + what;
}

} // namespace cadhost::scenario
