// The drawing's current view and the record of how the macro moved it.
#pragma once

#include "host/host_records.h"
#include "host/host_types.h"

#include <cstdint>
#include <vector>

namespace cadhost {

using qx::host::ViewRec;

struct ViewModeCall {
    std::int32_t a = 0;
    std::int32_t b = 0;
};

class ViewState {
public:
    // A window of 1200 by 800 pixels at 0.05 drawing units per pixel, its top-left corner at
    // (0, 40): the area from (0, 0) to (60, 40).
    ViewState();

    const ViewRec& Current() const { return current_; }
    // Replaces the current view (as a drawing file does) without recording a change.
    void Reset(const ViewRec& view) { current_ = view; }
    // Makes the view current and records it, so that a transcript can show each move.
    void SetCurrent(const ViewRec& view, bool redraw);
    // A view of the current size and scale whose centre is the point.
    ViewRec OrthographicAround(const qx::host::point& centre, std::int32_t n) const;
    void RecordMode(std::int32_t a, std::int32_t b) { modes_.push_back({a, b}); }

    // The drawing length of one pixel.
    double PixelSize() const { return current_.scale; }

    struct Change {
        ViewRec view;
        bool redraw = false;
    };
    const std::vector<Change>& Changes() const { return changes_; }
    const std::vector<ViewModeCall>& ModeCalls() const { return modes_; }

private:
    ViewRec current_;
    std::vector<Change> changes_;
    std::vector<ViewModeCall> modes_;
};

} // namespace cadhost
