#include "cadhost/model/extent.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace cadhost {

namespace {

// By value on purpose: points in the host's records sit at unaligned offsets, and a reference
// to a field there would be misaligned.
double Smaller(double a, double b) {
    return a < b ? a : b;
}
double Larger(double a, double b) {
    return a < b ? b : a;
}

} // namespace

Extent TextExtent(const TextData& text) {
    const double width = kCharWidthFactor * text.size * static_cast<double>(text.text.size());
    const double height = text.size;
    const double c = std::cos(text.angle);
    const double s = std::sin(text.angle);
    const point& o = text.insert;
    const auto corner = [&](double dx, double dy) {
        return point{o.x + dx * c - dy * s, o.y + dx * s + dy * c, o.z};
    };
    const std::array<point, 4> corners{corner(0, 0), corner(width, 0), corner(width, height),
                                       corner(0, height)};
    return PointsExtent(corners);
}

Extent PointsExtent(std::span<const point> points) {
    if (points.empty()) {
        return {};
    }
    Extent e{points.front(), points.front()};
    for (const point& p : points.subspan(1)) {
        e.lower = {Smaller(e.lower.x, p.x), Smaller(e.lower.y, p.y), Smaller(e.lower.z, p.z)};
        e.upper = {Larger(e.upper.x, p.x), Larger(e.upper.y, p.y), Larger(e.upper.z, p.z)};
    }
    return e;
}

Extent Union(const Extent& a, const Extent& b) {
    const std::array<point, 4> corners{a.lower, a.upper, b.lower, b.upper};
    return PointsExtent(corners);
}

Extent EntityExtent(const Entity& entity) {
    if (entity.type == qx::host::kEntText) {
        return TextExtent(entity.text);
    }
    if (IsSmartText(entity.type)) {
        if (entity.pieces.empty()) {
            return {};
        }
        Extent e = TextExtent(entity.pieces.front());
        for (const TextData& piece : entity.pieces) {
            e = Union(e, TextExtent(piece));
        }
        return e;
    }
    return PointsExtent(entity.points);
}

} // namespace cadhost
