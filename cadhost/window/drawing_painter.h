// Paints a drawing as the host shows it: every entity of a layer that is on, in its layer's
// colour, and on top what the macro drew outside the drawing (the highlight box).
#pragma once

#include "cadhost/model/drawing.h"
#include "host/host_records.h"

#include <vector>

class QPainter;

namespace cadhost::window {

void PaintDrawing(QPainter& painter, const Drawing& drawing, const qx::host::ViewRec& view);
void PaintOverlays(QPainter& painter, const std::vector<DisplayItem>& overlays,
                   const qx::host::ViewRec& view);

} // namespace cadhost::window
