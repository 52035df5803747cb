#include "cadhost/batch/highlight_finder.h"

#include "cadhost/model/extent.h"

#include <algorithm>
#include <cmath>

namespace cadhost::batch {
namespace {

// The box and the extent come from the same numbers by one addition each, so they agree far
// closer than this; the tolerance only absorbs rounding.
bool Near(double a, double b) {
    return std::abs(a - b) <= 1e-9 * std::max({1.0, std::abs(a), std::abs(b)});
}

// The macro grows the entity's extent by one pixel on every side to draw its box.
bool Frames(const HighlightBox& box, const Extent& extent, double pixel) {
    return Near(box.lower.x, extent.lower.x - pixel) && Near(box.lower.y, extent.lower.y - pixel) &&
           Near(box.upper.x, extent.upper.x + pixel) && Near(box.upper.y, extent.upper.y + pixel);
}

} // namespace

std::optional<HighlightBox> CurrentHighlightBox(const Drawing& drawing) {
    const auto& items = drawing.Display().Items();
    for (auto it = items.rbegin(); it != items.rend(); ++it) {
        if (it->type != qx::host::kEntPolygon)
            continue;
        // The corners run lower-left, upper-left, upper-right, lower-right.
        if (it->a == 0 || it->points.size() < 3)
            return std::nullopt;
        return HighlightBox{it->points[0], it->points[2]};
    }
    return std::nullopt;
}

std::optional<lgl_addr> HighlightFinder::Find(const Drawing& drawing, const HighlightBox& box,
                                              std::string_view text) {
    if (!indexed_) {
        for (const lgl_addr a : drawing.Entities()) {
            const Entity* e = drawing.FindEntity(a);
            if (e->type == qx::host::kEntText)
                byText_[e->text.text].push_back(a);
        }
        indexed_ = true;
    }
    const auto candidates = byText_.find(std::string(text));
    if (candidates == byText_.end())
        return std::nullopt;
    const double pixel = drawing.View().PixelSize();
    for (const lgl_addr a : candidates->second) {
        const Entity* e = drawing.FindEntity(a);
        if (e == nullptr || given_.contains({a.page, a.ofs}) ||
            !Frames(box, EntityExtent(*e), pixel))
            continue;
        given_.insert({a.page, a.ofs});
        return a;
    }
    return std::nullopt;
}

} // namespace cadhost::batch
