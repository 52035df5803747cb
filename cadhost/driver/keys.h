// The host's function keys in one table: the twenty positions of the key panel (F1 to F10,
// then S1 to S9 and S0, where S is Shift), their names and their host key codes. The driver's
// transcripts, the window's panel, batch runs and both script readers name keys only through
// this table.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace cadhost {

// Positions run from 1 (F1) to kKeyPositions (S0).
inline constexpr int kKeyPositions = 20;

// The host key code of a position.
std::int32_t PositionKey(int position);
// The position of a host key code; none for a key that is no function key.
std::optional<int> KeyPosition(std::int32_t key);
// "F1" .. "F10", "S1" .. "S9", "S0".
std::string_view PositionName(int position);
// The position a name gives; none for any other word.
std::optional<int> NamedPosition(std::string_view name);

// A key's name in transcripts and messages: its position's name, or the code itself.
std::string KeyName(std::int32_t code);
// A key as a script writes it: a position's name or a whole number; none for anything else.
std::optional<std::int32_t> ParseKey(std::string_view word);

} // namespace cadhost
