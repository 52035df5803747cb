// Drawing files: the drawing as JSON (UTF-8), and back. The format is described in
// docs/drawing-format.md.
#pragma once

#include "cadhost/model/drawing.h"
#include "platform/result.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace cadhost {

// Reads a drawing from JSON text; `source` names it in messages (usually the file name).
// Never throws: every fault of the input gives a message that names the file and, where it
// applies, the layer or entity.
qx::Result<Drawing> ParseDrawing(std::string_view json, std::string_view source);
qx::Result<Drawing> LoadDrawingFile(const std::filesystem::path& file);

// The drawing as JSON text: compact, one line per layer and per entity. Erased entities are
// left out; the addresses of the entities a later load gives may differ, their order does not.
std::string DrawingToJson(const Drawing& drawing);
// The same text, handed to `sink` in pieces of about 256 KiB, in order.
void WriteDrawingJson(const Drawing& drawing, const std::function<void(std::string_view)>& sink);

// Empty when the file was written, else a message naming the file. The file is replaced with
// ReplaceFileContents (file_replace.h), so a save that fails leaves the old file whole.
std::string SaveDrawingFile(const Drawing& drawing, const std::filesystem::path& file);

} // namespace cadhost
