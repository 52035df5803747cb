// What a user gives the macro when it waits: one answer per request. The scenario runner builds
// answers from a script, the window from a person, batch runs from their options; the driver
// hands each to the macro in the same way.
#pragma once

#include "host/host_records.h"
#include "host/host_types.h"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace cadhost {

// A key: F1 to F10, S1 to S0, or any host key code. Every request takes one; a number or
// colour prompt keeps its value.
struct KeyAnswer {
    std::int32_t key = 0;
};

// A text typed at a text prompt and accepted, in Windows-1252.
struct TextAnswer {
    std::string text;
};

// A whole number typed at a number or colour prompt.
struct NumberAnswer {
    std::int32_t value = 0;
};

// A left click at a point, in drawing coordinates.
struct PointAnswer {
    double x = 0;
    double y = 0;
};

// Which entity types a selection may pick. Unrestricted when not given.
struct SelectionMask {
    bool text = true;
    bool paragraphText = true;
    bool multiLineText = true;
    // Entity types the mask names are picked only when allowed; every other type always is.
    bool Allows(std::uint8_t type) const;
};

// A selection completed with the host's selection tools at the main menu.
struct SelectionAnswer {
    std::vector<qx::host::lgl_addr> entities;
    std::optional<SelectionMask> mask;
    // Every entity of the drawing instead of `entities`, in layer order: the list is then made
    // once, by the host as it records the selection, not once more for the answer.
    bool everything = false;
};

using Answer = std::variant<KeyAnswer, TextAnswer, NumberAnswer, PointAnswer, SelectionAnswer>;

} // namespace cadhost
