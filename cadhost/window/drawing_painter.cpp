#include "cadhost/window/drawing_painter.h"

#include "cadhost/model/extent.h"
#include "cadhost/window/look.h"
#include "cadhost/window/view_transform.h"
#include "host/codepage.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <numbers>
#include <span>

namespace cadhost::window {
namespace {

// Texts smaller than this on screen are drawn as a line where the text runs, as CAD programs
// do: glyphs that small could not be read anyway.
constexpr double kSmallestDrawnTextPx = 3.0;
// Glyphs are laid out at this size and then scaled to the text's size on screen.
constexpr int kReferenceFontPx = 100;

const QFont& TextFont() {
    static const QFont font = [] {
        QFont f(QStringLiteral("DejaVu Sans Mono"));
        f.setStyleHint(QFont::Monospace);
        f.setPixelSize(kReferenceFontPx);
        return f;
    }();
    return font;
}

QPen EntityPen(const QColor& colour, int weight) {
    QPen pen(colour);
    pen.setWidthF(std::max(1, weight));
    pen.setCosmetic(true);
    return pen;
}

// A text line sits on its insert point and runs along its angle; its capitals are as high as
// its size and every character takes the width the host's extents give it, so that the
// highlight box frames exactly what is shown.
void PaintText(QPainter& painter, const TextData& text, const ViewRec& view, const QColor& colour) {
    if (text.text.empty())
        return;
    const double heightPx = text.size / view.scale;
    const double widthPx = kCharWidthFactor * heightPx * static_cast<double>(text.text.size());
    painter.save();
    painter.translate(ToPixels(view, text.insert));
    painter.rotate(-text.angle * 180.0 / std::numbers::pi);
    if (heightPx < kSmallestDrawnTextPx) {
        painter.setPen(EntityPen(colour, 1));
        painter.drawLine(QPointF(0, -heightPx / 2), QPointF(widthPx, -heightPx / 2));
        painter.restore();
        return;
    }
    const QString shown = QString::fromStdString(qx::host::Cp1252ToUtf8(text.text));
    const QFontMetricsF metrics(TextFont());
    const double naturalWidth = metrics.horizontalAdvance(shown);
    const double capHeight = metrics.capHeight();
    if (naturalWidth > 0 && capHeight > 0) {
        painter.scale(widthPx / naturalWidth, heightPx / capHeight);
        QPainterPath path;
        path.addText(0, 0, TextFont(), shown);
        painter.fillPath(path, colour);
    }
    painter.restore();
}

void PaintPoints(QPainter& painter, std::span<const point> points, bool closed, const ViewRec& view,
                 const QPen& pen) {
    QPolygonF shape;
    for (const point& p : points)
        shape << ToPixels(view, p);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    if (closed && shape.size() > 2)
        painter.drawPolygon(shape);
    else
        painter.drawPolyline(shape);
}

void PaintEntity(QPainter& painter, const Entity& entity, const ViewRec& view,
                 const QColor& colour) {
    if (entity.type == qx::host::kEntText) {
        PaintText(painter, entity.text, view, colour);
        return;
    }
    if (IsSmartText(entity.type)) {
        for (const TextData& piece : entity.pieces)
            PaintText(painter, piece, view, colour);
        return;
    }
    PaintPoints(painter, entity.points, entity.type == qx::host::kEntPolygon, view,
                EntityPen(colour, entity.weight));
}

} // namespace

void PaintDrawing(QPainter& painter, const Drawing& drawing, const qx::host::ViewRec& view) {
    painter.setRenderHint(QPainter::Antialiasing);
    for (lgl_addr addr : drawing.Entities()) {
        const Entity& entity = *drawing.FindEntity(addr);
        const Layer* layer = drawing.FindLayer(entity.layer);
        if (layer == nullptr || !layer->on)
            continue;
        PaintEntity(painter, entity, view, PaletteColour(layer->color));
    }
}

void PaintOverlays(QPainter& painter, const std::vector<DisplayItem>& overlays,
                   const qx::host::ViewRec& view) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const DisplayItem& item : overlays) {
        // A box the macro draws must stand out from the drawing, so it is a pixel heavier
        // than an entity of the same weight.
        PaintPoints(painter, item.points, item.type == qx::host::kEntPolygon, view,
                    EntityPen(PaletteColour(item.color), item.weight + 1));
    }
}

} // namespace cadhost::window
