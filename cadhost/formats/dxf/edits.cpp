#include "cadhost/formats/dxf/edits.h"

#include <algorithm>

namespace cadhost::dxf {

std::string ApplyEdits(std::string_view bytes, std::vector<Edit> edits) {
    std::stable_sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) {
        return a.begin != b.begin ? a.begin < b.begin : a.end < b.end;
    });
    std::size_t added = 0;
    for (const Edit& e : edits) {
        added += e.text.size();
    }
    std::string out;
    out.reserve(bytes.size() + added);
    std::size_t pos = 0;
    for (const Edit& e : edits) {
        // Overlapping edits are a fault of the caller; the later one then changes only what
        // the earlier left, so the result is still made of whole pieces of the input.
        const std::size_t begin = std::max(e.begin, pos);
        out.append(bytes.substr(pos, begin - pos));
        out += e.text;
        pos = std::max(e.end, begin);
    }
    out.append(bytes.substr(pos));
    return out;
}

} // namespace cadhost::dxf
