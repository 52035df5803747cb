#include "cadhost/scenario/screen_state.h"

#include "host/host_records.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace cadhost::scenario {
namespace {

// The macro erases a box with the very corners it drew it with; this only absorbs the rounding
// of a copy through the host's records.
constexpr double kSameCorner = 1e-9;

bool IsBox(const DisplayItem& item) {
    return item.type == qx::host::kEntPolygon && item.points.size() >= 3;
}

bool SameCorner(const qx::host::point& a, const qx::host::point& b) {
    return std::abs(a.x - b.x) < kSameCorner && std::abs(a.y - b.y) < kSameCorner;
}

bool SameBox(const DisplayItem& a, const DisplayItem& b) {
    return SameCorner(a.points[0], b.points[0]) && SameCorner(a.points[2], b.points[2]);
}

std::string Num(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

} // namespace

ScreenBoxes ReplayBoxes(const DisplayList& display) {
    ScreenBoxes screen;
    for (const DisplayItem& item : display.Items()) {
        if (!IsBox(item))
            continue;
        // Drawing passes a non-zero first argument to the host; erasing passes 0.
        if (item.a != 0) {
            screen.onShow.push_back(item);
            continue;
        }
        const auto shown = std::ranges::find_if(
            screen.onShow, [&](const DisplayItem& b) { return SameBox(b, item); });
        if (shown == screen.onShow.end()) {
            ++screen.strayErases;
            continue;
        }
        screen.onShow.erase(shown);
    }
    return screen;
}

std::string DescribeBox(const DisplayItem& box) {
    const auto& lo = box.points[0];
    const auto& hi = box.points[2];
    return "(" + Num(lo.x) + ", " + Num(lo.y) + ")-(" + Num(hi.x) + ", " + Num(hi.y) + ") colour " +
           std::to_string(box.color) + " weight " + std::to_string(box.weight);
}

} // namespace cadhost::scenario
