// How much room a native control needs to show the whole of its text in a font: the text's
// size from GDI plus what the control draws around it (frame, check box, drop-down arrow,
// spin arrows). The numbers for the frames are the ones the common controls draw with.
#pragma once

#include "dialogs/form/control_table.h"
#include "dialogs/win32/table_fit.h"

#include <windows.h>

#include <span>
#include <string>
#include <string_view>

namespace qx::win32 {

class TextMeasure {
public:
    explicit TextMeasure(HFONT font);
    ~TextMeasure();
    TextMeasure(const TextMeasure&) = delete;
    TextMeasure& operator=(const TextMeasure&) = delete;

    // One line of text, with '&' marking a mnemonic as the controls draw it.
    Size Line(std::wstring_view text) const;
    // The text wrapped at words within `width`.
    int WrappedHeight(std::wstring_view text, int width) const;
    // The widest word of the text.
    int WidestWord(std::wstring_view text) const;
    int LineHeight() const { return lineHeight_; }
    int SpaceWidth() const { return spaceWidth_; }

    // The least size of a control of `kind` showing `text` (and, for a list, `items`); 0 on
    // an axis where the text sets no bound.
    Size LeastSize(form::Kind kind, std::wstring_view text,
                   std::span<const std::wstring> items = {}) const;
    // The height a word-wrapping control needs at `width`; 0 for other kinds.
    int HeightForWidth(form::Kind kind, std::wstring_view text, int width) const;

private:
    HDC dc_;
    HGDIOBJ previous_;
    int lineHeight_ = 0;
    int spaceWidth_ = 0;
};

// What the controls draw around their text, in pixels.
inline constexpr int kEditFrame = 2;         // the sunken client edge on each side
inline constexpr int kEditMargin = 2;        // the room an edit keeps inside its frame
inline constexpr int kButtonFrame = 4;       // a push button's frame and focus rectangle
inline constexpr int kCheckTextGap = 4;      // between a check box's box and its text
inline constexpr int kGroupTitleIndent = 9;  // where a group box's title starts
inline constexpr int kComboFieldPadding = 6; // the drop-down list's frame around its field
inline constexpr int kSpinArrowsWidth = 17;  // the up-down control beside a spin field
// The longest value a spin field is made to show whole: a step of four digits and a sign.
inline constexpr std::wstring_view kSpinSample = L"-9999";

} // namespace qx::win32
