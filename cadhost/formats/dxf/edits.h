// A save is the loaded bytes with a few ranges replaced; these are those ranges.
#pragma once

#include "cadhost/formats/dxf/file_image.h"
#include "platform/result.h"

#include <cstddef>
#include <functional>
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

// Takes the bytes of a file being written, piece by piece and in order.
using ByteSink = std::function<void(std::string_view)>;

// Gives the bytes with the edits made to `sink`, without building them whole: a save of a large
// drawing then holds its file in memory once, not twice. Small pieces are gathered into larger
// ones. Bytes the reader gave back are read from the file again; a failure to do so stops the
// stream and is returned.
qx::Status StreamEdits(const FileImage& image, std::vector<Edit> edits, const ByteSink& sink);
void StreamEdits(std::string_view bytes, std::vector<Edit> edits, const ByteSink& sink);

// The bytes with the edits made. Edits may come in any order; edits at one position apply in
// the order given. Edits must not overlap: where one does, it changes only what the edits before
// it left.
std::string ApplyEdits(std::string_view bytes, std::vector<Edit> edits);

} // namespace cadhost::dxf
