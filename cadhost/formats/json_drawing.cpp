// Drawing files on disk. Reading the text is in json_drawing_read.cpp, writing it in
// json_drawing_write.cpp.
#include "cadhost/formats/json_drawing.h"

#include "cadhost/formats/file_replace.h"

#include <fstream>

namespace cadhost {

namespace fs = std::filesystem;

LoadedDrawing LoadDrawingFile(const fs::path& file) {
    const std::string source = file.string();
    const auto failed = [&](const std::string& why) {
        return LoadedDrawing{std::nullopt, source + ": " + why};
    };
    std::error_code ec;
    if (fs::is_directory(file, ec)) {
        return failed("is a folder, not a drawing file");
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return failed(fs::exists(file, ec) ? "cannot be read" : "does not exist");
    }
    // One read into a string of the file's size: a drawing may be large, and a growing buffer
    // would hold it twice for a moment.
    const auto size = fs::file_size(file, ec);
    std::string content;
    if (!ec) {
        content.resize(static_cast<std::size_t>(size));
        in.read(content.data(), static_cast<std::streamsize>(size));
        content.resize(static_cast<std::size_t>(in.gcount()));
    }
    if (ec || in.bad()) {
        return failed("cannot be read");
    }
    return ParseDrawing(content, source);
}

std::string SaveDrawingFile(const Drawing& drawing, const fs::path& file) {
    return ReplaceFileContents(file, DrawingToJson(drawing));
}

} // namespace cadhost
