// The extents the host reports for entities: the smallest axis-parallel box around them.
#pragma once

#include "cadhost/model/entity.h"

#include <span>

namespace cadhost {

struct Extent {
    point lower; // lower-left corner
    point upper; // upper-right corner
};

// Every character of a text is taken as 0.8 of the text size wide, and the text as one size
// high, turned about its insert point by its angle.
inline constexpr double kCharWidthFactor = 0.8;

Extent TextExtent(const TextData& text);
// A single point gives an extent whose corners coincide. No points give an empty extent at the
// origin.
Extent PointsExtent(std::span<const point> points);
Extent Union(const Extent& a, const Extent& b);
Extent EntityExtent(const Entity& entity);

} // namespace cadhost
