// Drawing files: the drawing as JSON (UTF-8), and back. The format is described in
// docs/drawing-format.md.
#pragma once

#include "cadhost/model/drawing.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace cadhost {

// A loaded drawing, or the message that says why there is none.
struct LoadedDrawing {
    std::optional<Drawing> drawing;
    std::string error; // names the file and, where it applies, the layer or entity
    explicit operator bool() const { return drawing.has_value(); }
};

// Reads a drawing from JSON text; `source` names it in messages (usually the file name).
// Never throws: every fault of the input gives a message.
LoadedDrawing ParseDrawing(std::string_view json, std::string_view source);
LoadedDrawing LoadDrawingFile(const std::filesystem::path& file);

// The drawing as JSON text. Erased entities are left out; the addresses of the entities a
// later load gives may differ, their order does not.
std::string DrawingToJson(const Drawing& drawing);

// Empty when the file was written, else a message naming the file. The file is replaced with
// ReplaceFileContents (file_replace.h), so a save that fails leaves the old file whole.
std::string SaveDrawingFile(const Drawing& drawing, const std::filesystem::path& file);

} // namespace cadhost
