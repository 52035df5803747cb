// Reading an ASCII DXF drawing (R12 to R2018) into the host model, in one pass over the bytes:
// the tag reader (tag_reader.h) splits the bytes into tags, the section scanner
// (section_scanner.h) walks sections and records, and the model builder (model_builder.h) turns
// the records into layers and entities.
#pragma once

#include "cadhost/formats/dxf/document.h"
#include "cadhost/model/drawing.h"
#include "platform/result.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace cadhost::dxf {

struct LoadedDxf {
    Drawing drawing;
    std::shared_ptr<const Document> document;
    std::vector<std::string> notes; // what the drawing does not show the macro, and why
};

// `source` names the file in messages. Never throws: every fault of the input gives a
// failure whose message names the file and the line.
qx::Result<LoadedDxf> ReadDxf(std::string bytes, std::string source);
// The same from a source that may let the reader give the bytes of the entities back once it
// has read them (source_bytes.h); a save then reads them from the file again.
qx::Result<LoadedDxf> ReadDxf(std::unique_ptr<SourceBytes> bytes, std::string source);

// How the file's first bytes tell a binary DXF or a DWG drawing, which this host does not
// read.
bool LooksLikeBinaryDxf(std::string_view head);
bool LooksLikeDwg(std::string_view head);

} // namespace cadhost::dxf
