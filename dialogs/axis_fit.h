// Fitting the controls of one window or group box along one axis: each control gets at least
// its designed length and at least the length its text needs; a control that grows pushes the
// controls after it in its row (or column) just as far as they must go, and the container
// grows as much as its controls then need. Nothing moves that does not have to, so a design
// whose texts fit comes out exactly as drawn.
//
// "Near" and "far" are the left and right edge for the horizontal axis, the top and bottom
// edge for the vertical one. A control tied to the far edge only grows towards the near edge
// and pushes the controls before it; one tied to both edges stretches with its container.
#pragma once

#include <cstdint>
#include <vector>

namespace qx::fit {

enum class Anchor : std::uint8_t { Near, Far, Both };

// What a control paints: only its text (labels, check boxes, radio buttons), whose empty part
// may lie under a neighbour, or all of its rectangle (buttons, fields, lists, groups).
enum class Paints : std::uint8_t { TextOnly, WholeRect };

// One control along the axis, in designed pixels.
struct Span {
    int start = 0;
    int length = 0;
    // The designed place across the axis: controls whose places overlap there share a row.
    int crossStart = 0;
    int crossLength = 0;
    Anchor anchor = Anchor::Near;
    Paints paints = Paints::WholeRect;
    // The length the control's text needs; 0 when it sets no bound.
    int least = 0;
    // The spacing a text-only control keeps to the next control: a space of its font.
    int textSpacing = 0;
};

// The container along the axis.
struct Line {
    int length = 0;
    // Room the container keeps free before its controls, such as a group box's title.
    int leading = 0;
    // The least length the container needs for itself, such as for a group box's title.
    int least = 0;
};

struct Placed {
    int start = 0;
    int length = 0;

    friend bool operator==(const Placed&, const Placed&) = default;
};

struct Fitted {
    // The container's length: its designed one, or more where its controls need it.
    int length = 0;
    // The controls at that length, in the order given.
    std::vector<Placed> spans;
};

// The least clearance between a text and the next control, so that the text does not touch it.
inline constexpr int kTextClearance = 2;
// The least spacing between two framed controls where the space between them is elastic
// (between a control tied to the near edge and one tied to the far edge).
inline constexpr int kFrameSpacing = 6;

Fitted FitAxis(const Line& line, const std::vector<Span>& spans);

} // namespace qx::fit
