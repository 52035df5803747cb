// Drawing files on disk. Reading the text is in json_drawing_read.cpp, writing it in
// json_drawing_write.cpp.
#include "cadhost/formats/json_drawing.h"

#include "cadhost/formats/file_replace.h"
#include "cadhost/formats/read_file.h"

#include <new>

namespace cadhost {

namespace fs = std::filesystem;

qx::Result<Drawing> LoadDrawingFile(const fs::path& file) {
    const std::string source = file.string();
    const auto failed = [&](const std::string& why) { return qx::Failure{source + ": " + why}; };
    std::error_code ec;
    if (fs::is_directory(file, ec)) {
        return failed("is a folder, not a drawing file");
    }
    if (!fs::exists(file, ec)) {
        return failed("does not exist");
    }
    try {
        const FileBytes content(file);
        if (!content.ok()) {
            return failed("cannot be read");
        }
        return ParseDrawing(content.bytes(), source);
    } catch (const std::bad_alloc&) {
        return failed("is too large for the memory this host can have");
    }
}

std::string SaveDrawingFile(const Drawing& drawing, const fs::path& file) {
    return ReplaceFileContents(file,
                               [&](const ByteSink& sink) {
                                   WriteDrawingJson(drawing, sink);
                                   return qx::Status{};
                               })
        .error();
}

} // namespace cadhost
