// How a field with a key filter treats a key stroke, free of any toolkit: each view translates
// its key events into a KeyStroke and acts on the verdict.
#pragma once

#include <cstdint>
#include <string_view>

namespace qx::form {

// The modifier keys held with a key stroke.
enum Modifier : std::uint8_t {
    kNoModifier = 0,
    kShift = 1,
    kCtrl = 2,
    kAlt = 4,
};
using Modifiers = std::uint8_t;

struct KeyStroke {
    // The characters the stroke would type, UTF-32; empty for keys that type nothing (arrows,
    // Delete, F-keys).
    std::u32string_view typed;
    Modifiers held = kNoModifier;
};

enum class KeyVerdict : std::uint8_t {
    // The field handles the key as it always does (types it, or runs its own command).
    Pass,
    // A character the field does not take: nothing is typed and the desktop beeps.
    Refuse,
    // A command the field would wrongly type: the field leaves it to the window, where it may
    // be a mnemonic, and nothing is typed.
    LeaveToWindow,
};

// Whether `c` may be typed into the field.
using MayBeTyped = bool (*)(char32_t c, char32_t decimalPoint);

// Key strokes with Ctrl or Alt held are commands, not typed characters, even when the event
// carries the letter as text: they are never refused. Ctrl alone reaches the field's own
// commands (select all, copy, paste, undo); with Alt held the field would type the letter, so
// the key is left to the window. A plain stroke passes when every character it types may be
// typed, and is refused otherwise.
KeyVerdict FilterKey(const KeyStroke& key, MayBeTyped mayBeTyped, char32_t decimalPoint);

} // namespace qx::form
