// The host functions of the view.
#include "cadhost/driver/session.h"
#include "cadhost/exports/host_exports.h"

namespace {

cadhost::ViewState& TheView() {
    return cadhost::CurrentSession().drawing.View();
}

} // namespace

CADHOST_EXPORT void view_getcurr(ViewRec* view) {
    if (view != nullptr) {
        *view = TheView().Current();
    }
}

CADHOST_EXPORT void view_init(ViewRec* view) {
    if (view != nullptr) {
        *view = ViewRec{};
    }
}

CADHOST_EXPORT void view_calcorth(ViewRec* view, const point* pt, i32 n) {
    if (view == nullptr || pt == nullptr) {
        return;
    }
    *view = TheView().OrthographicAround(*pt, n);
}

CADHOST_EXPORT void view_setcurr(ViewRec* view, bool redraw) {
    // A view without a positive scale would make every later pixel size meaningless.
    if (view == nullptr || !(view->scale > 0)) {
        return;
    }
    TheView().SetCurrent(*view, redraw);
}

CADHOST_EXPORT void view_setmode(i32 a, i32 b) {
    TheView().RecordMode(a, b);
}

CADHOST_EXPORT double pixsize() {
    return TheView().PixelSize();
}

CADHOST_EXPORT void setpoint(point* pt, double value) {
    if (pt != nullptr) {
        *pt = point{value, value, value};
    }
}
