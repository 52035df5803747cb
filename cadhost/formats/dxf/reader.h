// Reading an ASCII DXF drawing (R12 to R2018) into the host model, in one pass over the bytes.
#pragma once

#include "cadhost/formats/dxf/document.h"
#include "cadhost/model/drawing.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace cadhost::dxf {

struct LoadedDxf {
    std::optional<Drawing> drawing;
    std::shared_ptr<const Document> document;
    std::vector<std::string> notes; // what the drawing does not show the macro, and why
    std::string error;              // names the file and the line
    explicit operator bool() const { return drawing.has_value(); }
};

// `source` names the file in messages. Never throws: every fault of the input gives a
// message and no drawing.
LoadedDxf ReadDxf(std::string bytes, std::string source);

// How the file's first bytes tell a binary DXF or a DWG drawing, which this host does not
// read.
bool LooksLikeBinaryDxf(std::string_view head);
bool LooksLikeDwg(std::string_view head);

} // namespace cadhost::dxf
