#include "cadhost/window/overlay_tracker.h"

#include "cadhost/model/drawing.h"

#include <algorithm>
#include <cmath>

namespace cadhost::window {
namespace {

// An erase repeats the corners the draw used; anything closer than this is the same corner.
constexpr double kSameCorner = 1e-9;

bool SameShape(const DisplayItem& a, const DisplayItem& b) {
    if (a.type != b.type || a.points.size() != b.points.size())
        return false;
    for (std::size_t i = 0; i < a.points.size(); ++i) {
        if (std::abs(a.points[i].x - b.points[i].x) > kSameCorner ||
            std::abs(a.points[i].y - b.points[i].y) > kSameCorner)
            return false;
    }
    return true;
}

} // namespace

void OverlayTracker::Follow(const DisplayList& list) {
    const auto& items = list.Items();
    // A shorter list is another drawing's.
    if (items.size() < seen_)
        Reset();
    for (; seen_ < items.size(); ++seen_) {
        const DisplayItem& item = items[seen_];
        if (!IsNil(item.addr) || item.points.empty())
            continue;
        std::erase_if(shown_, [&](const DisplayItem& s) { return SameShape(s, item); });
        if (item.a != 0)
            shown_.push_back(item);
    }
}

void OverlayTracker::Reset() {
    seen_ = 0;
    shown_.clear();
}

} // namespace cadhost::window
