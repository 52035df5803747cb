// The drawing's eight named selection sets.
#pragma once

#include "host/host_types.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace cadhost {

inline constexpr int kSelectionSetCount = 8;

struct SelectionSet {
    std::string name;                        // Windows-1252
    std::vector<qx::host::lgl_addr> members; // in the order they were added, each once
};

// Every operation takes the set number as the host interface gives it; numbers outside 0..7
// are ignored, and read as an empty set without a name.
class SelectionSetTable {
public:
    // Sets start as "Set 0" to "Set 7" and empty.
    SelectionSetTable();

    static bool IsValid(int set) { return set >= 0 && set < kSelectionSetCount; }

    void SetName(int set, std::string name);
    std::string_view Name(int set) const;
    void Clear(int set);
    // Adds the entity unless it is already a member: a set holds each entity once.
    void Add(int set, qx::host::lgl_addr entity);
    const std::vector<qx::host::lgl_addr>& Members(int set) const;

private:
    std::array<SelectionSet, kSelectionSetCount> sets_;
};

} // namespace cadhost
