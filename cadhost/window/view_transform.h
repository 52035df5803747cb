// The mapping between drawing coordinates and the pixels of the drawing view. The view record
// holds it: the drawing length of one pixel and the drawing point at the view's top-left
// corner. Drawing y grows upwards, pixel y downwards.
#pragma once

#include "cadhost/model/extent.h"
#include "host/host_records.h"

#include <QPointF>
#include <QSize>

namespace cadhost::window {

using qx::host::ViewRec;

// The smallest and largest drawing length of a pixel that zooming reaches.
inline constexpr double kMinPixelSize = 1e-6;
inline constexpr double kMaxPixelSize = 1e6;

QPointF ToPixels(const ViewRec& view, const qx::host::point& p);
qx::host::point ToDrawing(const ViewRec& view, QPointF pixel);

// The view after zooming by `factor` (above 1 zooms in) so that the drawing point under the
// pixel stays where it is.
ViewRec ZoomedAt(const ViewRec& view, QPointF pixel, double factor);
// The view after the drawing was dragged by the pixel offset.
ViewRec Panned(const ViewRec& view, QPointF offset);
// A view of the given size that shows the extent whole, centred, with a margin around it.
ViewRec Fitted(const ViewRec& view, const Extent& extent, QSize size);

} // namespace cadhost::window
