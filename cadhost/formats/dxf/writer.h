// Writing a DXF drawing back: the loaded bytes with only the changed values replaced.
#pragma once

#include "cadhost/formats/dxf/document.h"
#include "cadhost/formats/dxf/edits.h"
#include "cadhost/model/drawing.h"
#include "platform/result.h"

#include <string>
#include <vector>

namespace cadhost::dxf {

// The changes a save makes to the loaded bytes: the text values of the TEXT and ATTRIB
// entities whose text differs from the file's, in the file's encoding, and the state store
// when the drawing's attributes or selection sets differ from what was loaded. `notes` gets
// what the save cannot keep (the store of an R12 file).
// Fails only when bytes the reader gave back cannot be read from the file again.
qx::Result<std::vector<Edit>> DxfEdits(const Document& doc, const Drawing& drawing,
                                       std::vector<std::string>& notes);

// The saved file's bytes, given to `sink` piece by piece. On a failure the sink has had only
// part of them.
qx::Status WriteDxf(const Document& doc, const Drawing& drawing, std::vector<std::string>& notes,
                    const ByteSink& sink);
// The saved file's bytes, whole.
qx::Result<std::string> WriteDxf(const Document& doc, const Drawing& drawing,
                                 std::vector<std::string>& notes);

} // namespace cadhost::dxf
