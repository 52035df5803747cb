#include "dialogs/form/key_filter.h"

#include <algorithm>

namespace qx::form {
namespace {

// Control characters (Tab, Enter, Backspace, Esc) move or edit; they are not typed text.
bool IsPrintable(char32_t c) {
    return c >= 0x20 && c != 0x7F && !(c >= 0x80 && c < 0xA0);
}

} // namespace

KeyVerdict FilterKey(const KeyStroke& key, MayBeTyped mayBeTyped, char32_t decimalPoint) {
    if (key.typed.empty() || !IsPrintable(key.typed.front()))
        return KeyVerdict::Pass;
    const bool acceptable =
        std::ranges::all_of(key.typed, [&](char32_t c) { return mayBeTyped(c, decimalPoint); });
    if (acceptable)
        return KeyVerdict::Pass;
    if ((key.held & kAlt) != 0)
        return KeyVerdict::LeaveToWindow;
    if ((key.held & kCtrl) != 0)
        return KeyVerdict::Pass;
    return KeyVerdict::Refuse;
}

} // namespace qx::form
