#include "drawing/hilite_box.h"

#include "host/host_table.h"
#include "state/state_access.h"

#include <cmath>

namespace qx {
namespace {

constexpr double kSamePointTolerance = 0.00001;

// The host draws on screen only while its display byte is set; it is put back afterwards.
void DrawOnScreen(host::EntityRec& box, host::i32 a, host::i32 b) {
    host::SaveVarRec* vars = host::Host().PGSavevar();
    if (vars == nullptr)
        return;
    const std::uint8_t before = vars->hiliteDisplay;
    vars->hiliteDisplay = 1;
    host::Host().ent_draw_dl(&box, a, b);
    vars->hiliteDisplay = before;
}

void SetCorners(host::EntityRec& box, const HiliteBox& corners) {
    box.npts = 4;
    for (int i = 0; i < 4; ++i)
        box.pts[i] = corners[static_cast<std::size_t>(i)];
}

} // namespace

bool SamePoint2D(const host::point& a, const host::point& b) {
    return std::fabs(a.x - b.x) < kSamePointTolerance && std::fabs(a.y - b.y) < kSamePointTolerance;
}

void DrawHiliteBox(host::EntityRec& ent) {
    EraseHiliteBox();
    QuillexL& s = State();
    const auto& h = host::Host();
    host::point lo, hi;
    h.ent_extent(&ent, &lo, &hi);
    host::EntityRec box;
    h.ent_init(&box, host::kEntPolygon);
    box.color = s.hiliteClr;
    box.weight = static_cast<std::uint8_t>(s.hiliteWgt & 0xFF);
    lo.x -= h.pixsize();
    lo.y -= h.pixsize();
    hi.x += h.pixsize();
    hi.y += h.pixsize();
    s.hiliteBox[0] = lo;
    s.hiliteBox[1] = host::point{lo.x, hi.y, 0};
    s.hiliteBox[2] = hi;
    s.hiliteBox[3] = host::point{hi.x, lo.y, 0};
    SetCorners(box, s.hiliteBox);
    DrawOnScreen(box, 1, 0);
}

void EraseHiliteBox() {
    QuillexL& s = State();
    if (!SamePoint2D(s.hiliteBox[0], s.hiliteBox[2])) {
        try {
            host::EntityRec box;
            host::Host().ent_init(&box, host::kEntPolygon);
            SetCorners(box, s.hiliteBox);
            box.weight = static_cast<std::uint8_t>(s.hiliteWgt & 0xFF);
            DrawOnScreen(box, 0, 0);
        } catch (...) {
            // Erasing is best effort; the box counts as erased whatever happened.
        }
    }
    s.hiliteBox[0] = s.hiliteBox[2];
}

} // namespace qx
