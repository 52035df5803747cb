// Which entity the macro shows. While it reviews a length error or browses a find, the macro
// frames the entity with its highlight box and shows its text in a window; the box and the text
// together name the entity, as they do for a person looking at the screen.
#pragma once

#include "cadhost/model/drawing.h"

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace cadhost::batch {

// The highlight box on screen now: the last box drawn, unless it was erased since. Corners are
// the lower-left and upper-right ones.
struct HighlightBox {
    point lower;
    point upper;
};
std::optional<HighlightBox> CurrentHighlightBox(const Drawing& drawing);

class HighlightFinder {
public:
    // The plain text entity that reads `text` (Windows-1252) and that `box` frames. Each entity
    // is given once: of two entities alike in text and place, the next call gives the second.
    std::optional<lgl_addr> Find(const Drawing& drawing, const HighlightBox& box,
                                 std::string_view text);

private:
    // The texts are indexed when first needed, from the drawing as it is then; the entities
    // the macro shows are the ones it leaves unchanged.
    std::unordered_map<std::string, std::vector<lgl_addr>> byText_;
    bool indexed_ = false;
    std::set<std::pair<std::int32_t, std::int32_t>> given_;
};

} // namespace cadhost::batch
