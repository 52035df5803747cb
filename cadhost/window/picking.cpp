#include "cadhost/window/picking.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace cadhost::window {
namespace {

bool LayerIsOn(const Drawing& drawing, lgl_addr layer) {
    const Layer* l = drawing.FindLayer(layer);
    return l != nullptr && l->on;
}

double DistanceToBox(const Extent& box, const point& p) {
    const double dx = std::max({box.lower.x - p.x, 0.0, p.x - box.upper.x});
    const double dy = std::max({box.lower.y - p.y, 0.0, p.y - box.upper.y});
    return std::hypot(dx, dy);
}

double DistanceToSegment(const point& a, const point& b, const point& p) {
    const double vx = b.x - a.x;
    const double vy = b.y - a.y;
    const double length2 = vx * vx + vy * vy;
    double t = length2 > 0 ? ((p.x - a.x) * vx + (p.y - a.y) * vy) / length2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * vx), p.y - (a.y + t * vy));
}

bool Inside(const Extent& inner, const Extent& outer) {
    return inner.lower.x >= outer.lower.x && inner.lower.y >= outer.lower.y &&
           inner.upper.x <= outer.upper.x && inner.upper.y <= outer.upper.y;
}

} // namespace

double DistanceTo(const Entity& entity, const point& at) {
    if (entity.type == qx::host::kEntText)
        return DistanceToBox(TextExtent(entity.text), at);
    double nearest = std::numeric_limits<double>::infinity();
    if (IsSmartText(entity.type)) {
        for (const TextData& piece : entity.pieces)
            nearest = std::min(nearest, DistanceToBox(TextExtent(piece), at));
        return nearest;
    }
    const auto& pts = entity.points;
    if (pts.size() == 1)
        return std::hypot(at.x - pts[0].x, at.y - pts[0].y);
    for (std::size_t i = 1; i < pts.size(); ++i)
        nearest = std::min(nearest, DistanceToSegment(pts[i - 1], pts[i], at));
    // A polygon is closed.
    if (entity.type == qx::host::kEntPolygon && pts.size() > 2)
        nearest = std::min(nearest, DistanceToSegment(pts.back(), pts.front(), at));
    return nearest;
}

std::vector<lgl_addr> VisibleEntities(const Drawing& drawing) {
    std::vector<lgl_addr> visible;
    for (lgl_addr addr : drawing.Entities()) {
        if (LayerIsOn(drawing, drawing.FindEntity(addr)->layer))
            visible.push_back(addr);
    }
    return visible;
}

std::optional<Extent> VisibleExtent(const Drawing& drawing) {
    std::optional<Extent> all;
    for (lgl_addr addr : VisibleEntities(drawing)) {
        const Extent e = EntityExtent(*drawing.FindEntity(addr));
        all = all ? Union(*all, e) : e;
    }
    return all;
}

lgl_addr EntityAt(const Drawing& drawing, const point& at, double tolerance) {
    lgl_addr best;
    double bestDistance = tolerance;
    for (lgl_addr addr : VisibleEntities(drawing)) {
        const double d = DistanceTo(*drawing.FindEntity(addr), at);
        // On a tie the entity drawn last, which lies on top, wins.
        if (d <= bestDistance) {
            best = addr;
            bestDistance = d;
        }
    }
    return best;
}

std::vector<lgl_addr> EntitiesInside(const Drawing& drawing, const Extent& area) {
    std::vector<lgl_addr> inside;
    for (lgl_addr addr : VisibleEntities(drawing)) {
        if (Inside(EntityExtent(*drawing.FindEntity(addr)), area))
            inside.push_back(addr);
    }
    return inside;
}

std::vector<lgl_addr> EntitiesOnLayer(const Drawing& drawing, lgl_addr layer) {
    std::vector<lgl_addr> on;
    if (!LayerIsOn(drawing, layer))
        return on;
    for (lgl_addr addr : drawing.Entities()) {
        if (drawing.FindEntity(addr)->layer == layer)
            on.push_back(addr);
    }
    return on;
}

} // namespace cadhost::window
