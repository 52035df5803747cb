// What a user sees of one thing in a dialog (a control, or a row of a list, grid or scrolling
// area) and the "expect" checks on it, free of any toolkit: each view reads the look its own
// way and hands it here, so a check means the same on every view.
#pragma once

#include "cadhost/scenario/script.h"

#include <cstdint>
#include <optional>
#include <string>

namespace cadhost::scenario {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Rgb&) const = default;
};

// The styles of a font, as a check names them.
enum FontStyle : std::uint8_t {
    kFontPlain = 0,
    kFontBold = 1,
    kFontItalic = 2,
    kFontUnderline = 4,
    kFontStrikeout = 8,
};
using FontStyles = std::uint8_t;

struct Look {
    std::string text;
    std::optional<Rgb> colour; // none where the view cannot tell or there is no text
    std::optional<FontStyles> font;
    std::optional<std::string> hint; // none where the view cannot tell
    bool visible = true;
};

// "255,160,122", or a colour name such as red, lime or lightsalmon.
std::optional<Rgb> ParseColour(const std::string& word);

// The checks that apply to a control and to a row alike, from word `at` of the action on
// (visible, hidden, text, hint, colour, font). Empty when the look is as expected, else what
// was expected and what was seen; `name` names the thing in the message.
std::string CheckLook(const Look& look, const Step& action, std::size_t at,
                      const std::string& name);

} // namespace cadhost::scenario
