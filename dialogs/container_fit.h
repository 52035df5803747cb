// Fitting the controls of one container (a window or a group box) to their texts, free of any
// toolkit: each view measures the least size of every control's text in its own way (Qt's font
// metrics, GDI) and hands the measures to FitContainer, so both views grow controls alike.
#pragma once

#include "dialogs/axis_fit.h"
#include "dialogs/form/control_table.h"

#include <functional>
#include <vector>

namespace qx::fit {

struct Size {
    int width = 0;
    int height = 0;

    friend bool operator==(const Size&, const Size&) = default;
};

// One control of the container: its design and what its text needs, as the view measured it.
struct ControlToFit {
    form::Rect design;
    form::Edges anchors = form::kNearEdges;
    Paints paints = Paints::WholeRect;
    // The least size of its text; for a group box, the size its own controls were fitted to.
    Size least;
    int textSpacing = 0;
    // Buttons drawn alike (same size, in one row or one column) stay alike when one grows.
    bool isButton = false;
    // A wrapping label's least height for a width; empty when the height does not follow.
    std::function<int(int width)> heightForWidth;
};

// The container: its designed size, the room before its controls (a group box's frame and
// title) and the least width of its own title.
struct ContainerToFit {
    Size design;
    int leadingLeft = 0;
    int leadingTop = 0;
    int titleWidth = 0;
};

struct FittedContainer {
    Size size;
    // The controls' places in the order given.
    std::vector<form::Rect> places;
};

FittedContainer FitContainer(const ContainerToFit& container, std::vector<ControlToFit> controls);

// The anchor along one axis of a control tied to `edges`.
Anchor AnchorOf(form::Edges edges, form::Edge nearEdge, form::Edge farEdge);

} // namespace qx::fit
