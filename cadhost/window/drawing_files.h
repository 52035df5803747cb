// The drawing files the window opens and saves. One place decides the format, so that more
// formats join here and nowhere else.
#pragma once

#include "cadhost/formats/drawing_file.h"

#include <QString>

#include <filesystem>
#include <string>

namespace cadhost::window {

// Reads a JSON or DXF drawing; the format is the one the content shows.
OpenedDrawing OpenDrawing(const std::filesystem::path& file);
// Writes the session's drawing: JSON, or DXF back into the DXF file it was read from. The
// notes say what the file could not keep.
SavedDrawing SaveDrawing(const std::filesystem::path& file);
// The file dialogs' filter of the formats above.
QString DrawingFileFilter();

} // namespace cadhost::window
