#include "cadhost/window/view_transform.h"

#include <algorithm>

namespace cadhost::window {
namespace {

// The part of the view left free on each side when a drawing is fitted.
constexpr double kFitMargin = 0.06;
// A drawing that is one point, or nothing, is shown as if it were this long.
constexpr double kSmallestFitted = 10.0;

} // namespace

QPointF ToPixels(const ViewRec& view, const qx::host::point& p) {
    return {(p.x - view.x) / view.scale, (view.y - p.y) / view.scale};
}

qx::host::point ToDrawing(const ViewRec& view, QPointF pixel) {
    return {view.x + pixel.x() * view.scale, view.y - pixel.y() * view.scale, 0};
}

ViewRec ZoomedAt(const ViewRec& view, QPointF pixel, double factor) {
    if (!(factor > 0))
        return view;
    const qx::host::point anchor = ToDrawing(view, pixel);
    ViewRec zoomed = view;
    zoomed.scale = std::clamp(view.scale / factor, kMinPixelSize, kMaxPixelSize);
    zoomed.x = anchor.x - pixel.x() * zoomed.scale;
    zoomed.y = anchor.y + pixel.y() * zoomed.scale;
    return zoomed;
}

ViewRec Panned(const ViewRec& view, QPointF offset) {
    ViewRec panned = view;
    panned.x = view.x - offset.x() * view.scale;
    panned.y = view.y + offset.y() * view.scale;
    return panned;
}

ViewRec Fitted(const ViewRec& view, const Extent& extent, QSize size) {
    if (size.width() <= 0 || size.height() <= 0)
        return view;
    const double width = std::max(extent.upper.x - extent.lower.x, 0.0);
    const double height = std::max(extent.upper.y - extent.lower.y, 0.0);
    const double shown = 1.0 - 2 * kFitMargin;
    double scale = std::max(width / (size.width() * shown), height / (size.height() * shown));
    if (!(scale > 0))
        scale = kSmallestFitted / std::min(size.width(), size.height());
    ViewRec fitted = view;
    fitted.scale = std::clamp(scale, kMinPixelSize, kMaxPixelSize);
    fitted.widthPx = size.width();
    fitted.heightPx = size.height();
    const double cx = (extent.lower.x + extent.upper.x) / 2;
    const double cy = (extent.lower.y + extent.upper.y) / 2;
    fitted.x = cx - size.width() * fitted.scale / 2;
    fitted.y = cy + size.height() * fitted.scale / 2;
    return fitted;
}

} // namespace cadhost::window
