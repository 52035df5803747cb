// The highlight box: a temporary rectangle drawn on screen around the entity under review.
// It is never added to the drawing.
#pragma once

#include "host/host_records.h"

namespace qx {

// Two points are the same when x and y each differ by less than 0.00001; z is ignored.
bool SamePoint2D(const host::point& a, const host::point& b);

void DrawHiliteBox(host::EntityRec& ent);

// Erases the box on show, if any. Marks the box erased even when a host call fails.
void EraseHiliteBox();

} // namespace qx
