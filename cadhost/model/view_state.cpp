#include "cadhost/model/view_state.h"

namespace cadhost {

ViewState::ViewState() {
    current_.scale = 0.05;
    current_.widthPx = 1200;
    current_.heightPx = 800;
    current_.x = 0;
    current_.y = 40;
}

void ViewState::SetCurrent(const ViewRec& view, bool redraw) {
    current_ = view;
    changes_.push_back({view, redraw});
}

ViewRec ViewState::OrthographicAround(const qx::host::point& centre, std::int32_t n) const {
    ViewRec view;
    view.scale = current_.scale;
    view.widthPx = current_.widthPx;
    view.heightPx = current_.heightPx;
    view.x = centre.x - current_.scale * current_.widthPx / 2;
    view.y = centre.y + current_.scale * current_.heightPx / 2;
    view.value628 = n;
    return view;
}

} // namespace cadhost
