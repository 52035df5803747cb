// What the macro asked the host to draw, in order, so that a transcript can show it.
#pragma once

#include "host/host_records.h"
#include "host/host_types.h"

#include <cstdint>
#include <deque>
#include <utility>
#include <vector>

namespace cadhost {

struct DisplayItem {
    std::uint8_t type = 0;
    qx::host::lgl_addr addr;             // nil for an entity that is not in the drawing
    std::vector<qx::host::point> points; // the corners of a polygon such as the highlight box
    std::int32_t a = 0;
    std::int32_t b = 0;
    std::uint8_t hiliteDisplay = 0; // the saved-variables display byte at the time of drawing
    std::int32_t color = 0;
    std::uint8_t weight = 0;
};

// A run over a large drawing draws every entity it changes, so the list may grow to hundreds of
// thousands of items: it grows in blocks, never by moving what it holds into a larger copy.
class DisplayList {
public:
    void Append(DisplayItem item) { items_.push_back(std::move(item)); }
    const std::deque<DisplayItem>& Items() const { return items_; }
    void Clear() { items_.clear(); }

private:
    std::deque<DisplayItem> items_;
};

} // namespace cadhost
