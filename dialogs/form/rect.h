// A rectangle in pixels, free of any toolkit: a control's place in its parent, a window's place
// on the desktop or a screen's usable area.
#pragma once

namespace qx::form {

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    constexpr int Right() const { return x + width; }
    constexpr int Bottom() const { return y + height; }
    // The part both rectangles cover; empty (zero size) when they do not meet.
    constexpr Rect Intersected(const Rect& other) const {
        const int left = x > other.x ? x : other.x;
        const int top = y > other.y ? y : other.y;
        const int right = Right() < other.Right() ? Right() : other.Right();
        const int bottom = Bottom() < other.Bottom() ? Bottom() : other.Bottom();
        if (right <= left || bottom <= top)
            return {};
        return {left, top, right - left, bottom - top};
    }
    // Whether `inner` lies wholly within this rectangle's size, taken at the origin (a
    // child's rectangle in its parent's client area).
    constexpr bool HoldsInClientArea(const Rect& inner) const {
        return inner.x >= 0 && inner.y >= 0 && inner.Right() <= width && inner.Bottom() <= height;
    }

    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

} // namespace qx::form
