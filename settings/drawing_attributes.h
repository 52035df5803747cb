// Drawing attributes: named values the host keeps with the drawing. Internal to the settings
// library.
//
// One attribute record is shared by every operation, as the host expects a record it filled
// on a find to be handed back on an update, so the operations are not re-entrant.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace qx::settings::detail {

// The value of an integer attribute, or nothing when there is none under `name` (an
// attribute of another type counts as none).
std::optional<std::int32_t> FindIntAttribute(const std::string& name);
std::optional<std::string> FindTextAttribute(const std::string& name);

// Updates the attribute under `name`, or adds it when the drawing has none.
void WriteIntAttribute(const std::string& name, std::int32_t value);
void WriteTextAttribute(const std::string& name, const std::string& text);

} // namespace qx::settings::detail
