// A save is the loaded bytes with a few ranges replaced; these are those ranges.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace cadhost::dxf {

// Replaces bytes [begin, end) with `text`; an insertion has begin == end.
struct Edit {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::string text;
};

// The bytes with the edits made. Edits may come in any order; edits at one position apply in
// the order given. Edits must not overlap: where one does, it changes only what the edits before
// it left.
std::string ApplyEdits(std::string_view bytes, std::vector<Edit> edits);

} // namespace cadhost::dxf
