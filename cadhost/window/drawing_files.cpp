#include "cadhost/window/drawing_files.h"

#include "cadhost/session.h"

namespace cadhost::window {

OpenedDrawing OpenDrawing(const std::filesystem::path& file) {
    return OpenDrawingFile(file);
}

SavedDrawing SaveDrawing(const std::filesystem::path& file) {
    const Session& session = CurrentSession();
    return SaveDrawingAs(session.drawing, session.dxfSource.get(), file);
}

QString DrawingFileFilter() {
    return QStringLiteral("Drawings (*.json *.dxf);;JSON drawings (*.json);;DXF drawings "
                          "(*.dxf);;All files (*)");
}

} // namespace cadhost::window
