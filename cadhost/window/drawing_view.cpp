#include "cadhost/window/drawing_view.h"

#include "cadhost/driver/session.h"
#include "cadhost/window/drawing_painter.h"
#include "cadhost/window/look.h"
#include "cadhost/window/picking.h"
#include "cadhost/window/view_transform.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <array>
#include <cmath>

namespace cadhost::window {
namespace {

ViewState& TheView() {
    return CurrentSession().drawing.View();
}

// One notch of a common mouse wheel.
constexpr double kWheelNotch = 120.0;

} // namespace

DrawingView::DrawingView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("drawingView"));
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
    setFocusPolicy(Qt::ClickFocus);
    setMinimumSize(320, 200);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DrawingView::FollowDrawing() {
    overlays_.Follow(CurrentSession().drawing.Display());
    SyncSize();
    update();
}

void DrawingView::DrawingReplaced() {
    overlays_.Reset();
    fitOnShow_ = !isVisible();
    FitDrawing();
}

void DrawingView::FitDrawing() {
    const Drawing& d = CurrentSession().drawing;
    const auto extent = VisibleExtent(d);
    ShowView(Fitted(d.View().Current(), extent.value_or(Extent{}), size()));
}

QPointF DrawingView::ToPixels(const point& p) const {
    return window::ToPixels(TheView().Current(), p);
}

point DrawingView::ToDrawing(QPointF pixel) const {
    return window::ToDrawing(TheView().Current(), pixel);
}

double DrawingView::PixelSize() const {
    return TheView().PixelSize();
}

void DrawingView::SyncSize() {
    const ViewRec& current = TheView().Current();
    if (current.widthPx == width() && current.heightPx == height())
        return;
    ViewRec sized = current;
    sized.widthPx = width();
    sized.heightPx = height();
    TheView().Reset(sized);
}

// The person's zooms and pans change the view without counting as moves of the macro's.
void DrawingView::ShowView(const qx::host::ViewRec& view) {
    TheView().Reset(view);
    SyncSize();
    update();
}

void DrawingView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kViewBackground);
    const Drawing& d = CurrentSession().drawing;
    const ViewRec& view = d.View().Current();
    PaintDrawing(painter, d, view);
    PaintOverlays(painter, overlays_.Shown(), view);
    if (leftPressAt_ && dragTo_) {
        painter.setPen(QPen(kAreaFrame, 1, Qt::DashLine));
        painter.setBrush(kAreaFill);
        painter.drawRect(QRect(*leftPressAt_, *dragTo_).normalized());
    }
}

void DrawingView::resizeEvent(QResizeEvent*) {
    if (fitOnShow_) {
        FitDrawing();
        return;
    }
    SyncSize();
}

void DrawingView::showEvent(QShowEvent*) {
    if (!fitOnShow_)
        return;
    FitDrawing();
    fitOnShow_ = false;
}

void DrawingView::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / kWheelNotch;
    if (notches == 0)
        return;
    ShowView(ZoomedAt(TheView().Current(), event->position(), std::pow(kWheelZoomFactor, notches)));
    event->accept();
}

void DrawingView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) {
        panFrom_ = event->pos();
        setCursor(Qt::ClosedHandCursor);
        return;
    }
    if (event->button() == Qt::LeftButton)
        leftPressAt_ = event->pos();
}

void DrawingView::mouseMoveEvent(QMouseEvent* event) {
    emit CursorMoved(ToDrawing(event->position()));
    if (panFrom_) {
        const QPoint offset = event->pos() - *panFrom_;
        panFrom_ = event->pos();
        ShowView(Panned(TheView().Current(), offset));
        return;
    }
    if (leftPressAt_ && areaDragging_ &&
        (event->pos() - *leftPressAt_).manhattanLength() >= kDragThresholdPx) {
        dragTo_ = event->pos();
        update();
    }
}

void DrawingView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) {
        panFrom_.reset();
        setCursor(Qt::CrossCursor);
        return;
    }
    if (event->button() != Qt::LeftButton || !leftPressAt_)
        return;
    const QPoint from = *leftPressAt_;
    const bool dragged = dragTo_.has_value();
    leftPressAt_.reset();
    dragTo_.reset();
    update();
    if (!dragged) {
        emit Clicked(ToDrawing(event->position()));
        return;
    }
    const point a = ToDrawing(from);
    const point b = ToDrawing(event->position());
    emit AreaDragged(PointsExtent(std::array<point, 2>{a, b}));
}

} // namespace cadhost::window
