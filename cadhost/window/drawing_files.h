// The drawing files the window opens and saves. One place decides the format, so that more
// formats join here and nowhere else.
#pragma once

#include "cadhost/formats/json_drawing.h"

#include <QString>

#include <filesystem>
#include <string>

namespace cadhost::window {

LoadedDrawing OpenDrawingFile(const std::filesystem::path& file);
// Empty when the file was written.
std::string SaveDrawingAs(const Drawing& drawing, const std::filesystem::path& file);
// The file dialogs' filter of the formats above.
QString DrawingFileFilter();

} // namespace cadhost::window
