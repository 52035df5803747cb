#include "cadhost/formats/dxf/edits.h"

#include <algorithm>

namespace cadhost::dxf {

std::string ApplyEdits(std::string_view bytes, std::vector<Edit> edits) {
    std::stable_sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) {
        return a.begin != b.begin ? a.begin < b.begin : a.end < b.end;
    });
    std::size_t size = bytes.size();
    for (const Edit& e : edits) {
        size = size - (e.end - e.begin) + e.text.size();
    }
    std::string out;
    out.reserve(size);
    std::size_t pos = 0;
    for (const Edit& e : edits) {
        out.append(bytes.substr(pos, e.begin - pos));
        out += e.text;
        pos = e.end;
    }
    out.append(bytes.substr(pos));
    return out;
}

} // namespace cadhost::dxf
