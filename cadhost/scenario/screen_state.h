// What the macro has left on screen: the highlight boxes it drew and has not erased, found by
// replaying the drawing's display list from the start.
#pragma once

#include "cadhost/model/display_list.h"

#include <vector>

namespace cadhost::scenario {

struct ScreenBoxes {
    // Boxes drawn and not erased since, oldest first. A correct macro shows at most one.
    std::vector<DisplayItem> onShow;
    // Erases that found no box with their corners on show: on a real screen they would draw
    // the box instead of wiping it.
    int strayErases = 0;
};

ScreenBoxes ReplayBoxes(const DisplayList& display);

// "(x1, y1)-(x3, y3) colour C weight W": a box by its lower-left and upper-right corners.
std::string DescribeBox(const DisplayItem& box);

} // namespace cadhost::scenario
