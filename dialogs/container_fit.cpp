#include "dialogs/container_fit.h"

#include <algorithm>

namespace qx::fit {
namespace {

bool Alike(const ControlToFit& a, const ControlToFit& b) {
    return a.isButton && b.isButton && a.design.width == b.design.width &&
           a.design.height == b.design.height &&
           (a.design.x == b.design.x || a.design.y == b.design.y);
}

} // namespace

Anchor AnchorOf(form::Edges edges, form::Edge nearEdge, form::Edge farEdge) {
    const bool nearHeld = (edges & nearEdge) != 0;
    const bool farHeld = (edges & farEdge) != 0;
    if (nearHeld && farHeld)
        return Anchor::Both;
    return farHeld ? Anchor::Far : Anchor::Near;
}

FittedContainer FitContainer(const ContainerToFit& container, std::vector<ControlToFit> controls) {
    const std::size_t count = controls.size();
    for (std::size_t i = 0; i < count; ++i) {
        for (std::size_t j = i + 1; j < count; ++j) {
            if (!Alike(controls[i], controls[j]))
                continue;
            const Size both{std::max(controls[i].least.width, controls[j].least.width),
                            std::max(controls[i].least.height, controls[j].least.height)};
            controls[i].least = both;
            controls[j].least = both;
        }
    }

    std::vector<Span> across;
    for (const ControlToFit& control : controls) {
        const form::Rect& d = control.design;
        across.push_back({d.x, d.width, d.y, d.height,
                          AnchorOf(control.anchors, form::kLeft, form::kRight), control.paints,
                          control.least.width, control.textSpacing});
    }
    const Fitted x =
        FitAxis({container.design.width, container.leadingLeft, container.titleWidth}, across);

    std::vector<Span> down;
    for (std::size_t i = 0; i < count; ++i) {
        const ControlToFit& control = controls[i];
        const form::Rect& d = control.design;
        // A wrapping label's height follows from the width it was just given.
        int height = control.least.height;
        if (control.heightForWidth)
            height = std::max(height, control.heightForWidth(x.spans[i].length));
        down.push_back({d.y, d.height, d.x, d.width,
                        AnchorOf(control.anchors, form::kTop, form::kBottom), control.paints,
                        height, control.textSpacing});
    }
    // Controls start below a group box's title.
    const Fitted y = FitAxis({container.design.height, container.leadingTop, 0}, down);

    FittedContainer fitted{{x.length, y.length}, {}};
    for (std::size_t i = 0; i < count; ++i)
        fitted.places.push_back(
            {x.spans[i].start, y.spans[i].start, x.spans[i].length, y.spans[i].length});
    return fitted;
}

} // namespace qx::fit
