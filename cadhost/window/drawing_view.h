// The drawing view: the drawing in its layers' colours and what the macro drew on top of it.
// The wheel zooms at the cursor, a middle-button drag pans, and the view record of the drawing
// always holds what the view shows, so that the host functions of the view answer from it.
#pragma once

#include "cadhost/model/extent.h"
#include "cadhost/window/overlay_tracker.h"

#include <QPoint>
#include <QWidget>

#include <optional>

namespace cadhost::window {

class DrawingView : public QWidget {
    Q_OBJECT
public:
    explicit DrawingView(QWidget* parent = nullptr);

    // Takes in what the macro drew or erased and where it moved the view since the last call.
    void FollowDrawing();
    // Another drawing is shown: nothing of the old one stays on screen, and the new one fits.
    void DrawingReplaced();
    void FitDrawing();
    // While on, a left drag draws a rectangle and reports it; otherwise only clicks count.
    void SetAreaDragging(bool on) { areaDragging_ = on; }
    const OverlayTracker& Overlays() const { return overlays_; }

    QPointF ToPixels(const point& p) const;
    point ToDrawing(QPointF pixel) const;
    double PixelSize() const;

signals:
    void Clicked(cadhost::point at);
    void AreaDragged(cadhost::Extent area);
    void CursorMoved(cadhost::point at);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Keeps the drawing's view record the size of the widget.
    void SyncSize();
    void ShowView(const qx::host::ViewRec& view);

    OverlayTracker overlays_;
    bool areaDragging_ = false;
    // A drawing replaced before the view was shown fits once the view has its real size.
    bool fitOnShow_ = true;
    std::optional<QPoint> leftPressAt_;
    std::optional<QPoint> dragTo_;
    std::optional<QPoint> panFrom_;
};

} // namespace cadhost::window
