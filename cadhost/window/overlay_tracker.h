// What the macro has drawn on screen outside the drawing (the highlight box) and not erased yet.
// The host keeps a list of every draw and erase; the tracker follows it.
#pragma once

#include "cadhost/model/display_list.h"

#include <cstddef>
#include <vector>

namespace cadhost::window {

class OverlayTracker {
public:
    // Takes in the items added since the last call. A draw of an entity that is not in the
    // drawing puts it on screen; an erase of the same shape takes it off. Entities of the
    // drawing are drawn from the drawing itself and need no tracking.
    void Follow(const DisplayList& list);
    // A new drawing: nothing of the old one is on screen.
    void Reset();
    const std::vector<DisplayItem>& Shown() const { return shown_; }

private:
    std::size_t seen_ = 0;
    std::vector<DisplayItem> shown_;
};

} // namespace cadhost::window
