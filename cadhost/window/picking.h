// What the host's selection tools pick: the entities a person can see (those on layers that are
// on), by a click, by a rectangle, by layer or all of them.
#pragma once

#include "cadhost/model/drawing.h"
#include "cadhost/model/extent.h"

#include <optional>
#include <vector>

namespace cadhost::window {

// The entities on layers that are on, in drawing order.
std::vector<lgl_addr> VisibleEntities(const Drawing& drawing);
// The extent of everything visible; none when nothing is.
std::optional<Extent> VisibleExtent(const Drawing& drawing);
// The visible entity nearest to the point, no farther than `tolerance`; nil when none is.
lgl_addr EntityAt(const Drawing& drawing, const point& at, double tolerance);
// The visible entities that lie wholly inside the area.
std::vector<lgl_addr> EntitiesInside(const Drawing& drawing, const Extent& area);
// Every entity of the layer, in drawing order; none when the layer is off.
std::vector<lgl_addr> EntitiesOnLayer(const Drawing& drawing, lgl_addr layer);

// The distance from the point to the entity's shape: its outline for lines and polygons, the box
// of each line of text for texts (0 inside).
double DistanceTo(const Entity& entity, const point& at);

} // namespace cadhost::window
