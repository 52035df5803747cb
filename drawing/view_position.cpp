#include "drawing/view_position.h"

#include "host/host_table.h"
#include "state/state_access.h"

namespace qx {

void RepositionView(const host::point& clicked) {
    const auto& h = host::Host();
    host::EntityRec ent = State().curEnt;
    host::point lower;
    host::point upper;
    h.ent_extent(&ent, &lower, &upper);

    host::ViewRec current;
    h.view_getcurr(&current);
    host::ViewRec moved;
    h.view_init(&moved);
    const std::int32_t orthoKind = current.value628;
    h.view_calcorth(&moved, &lower, orthoKind);
    // The new view keeps what the host keeps in these three values of the current one.
    moved.value620 = current.value620;
    moved.value624 = current.value624;
    moved.value628 = current.value628;

    // The click's offset from the view's position point is carried over to the entity's
    // upper-left corner, so that the corner comes to lie where the user clicked.
    moved.x = lower.x - (clicked.x - current.x);
    moved.y = upper.y - (clicked.y - current.y);
    h.view_setcurr(&moved, true);
}

} // namespace qx
