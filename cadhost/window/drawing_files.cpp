#include "cadhost/window/drawing_files.h"

namespace cadhost::window {

LoadedDrawing OpenDrawingFile(const std::filesystem::path& file) {
    return LoadDrawingFile(file);
}

std::string SaveDrawingAs(const Drawing& drawing, const std::filesystem::path& file) {
    return SaveDrawingFile(drawing, file);
}

QString DrawingFileFilter() {
    return QStringLiteral("Drawings (*.json);;All files (*)");
}

} // namespace cadhost::window
