#include "cadhost/batch/drawing_files.h"

#include <algorithm>
#include <cctype>
#include <set>

namespace cadhost::batch {
namespace fs = std::filesystem;

namespace {

std::string LowerExtension(const fs::path& file) {
    std::string ext = file.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

} // namespace

bool IsDrawingFile(const fs::path& file) {
    const std::string ext = LowerExtension(file);
    return ext == ".json" || ext == ".dxf";
}

DrawingFile LoadBatchDrawing(const fs::path& file) {
    OpenedDrawing opened = OpenDrawingFile(file);
    return {std::move(opened.drawing), std::move(opened.error), std::move(opened.notes),
            std::move(opened.dxfSource)};
}

std::string SaveBatchDrawing(const DrawingFile& source, const Drawing& drawing,
                             const fs::path& file) {
    // The host's one way of replacing a drawing file: atomic, refuses read-only files, keeps
    // links and permissions. A DXF drawing changes only in the texts the run changed.
    const SavedDrawing saved = SaveDrawingAs(drawing, source.dxfSource.get(), file);
    return saved.error;
}

std::string EntityLabel(const Drawing& drawing, lgl_addr entity) {
    const Entity* e = drawing.FindEntity(entity);
    if (e != nullptr && !e->name.empty())
        return e->name;
    // Entities are numbered in the order the file lists them.
    return "#" + std::to_string(entity.ofs);
}

ExpandedFiles ExpandDrawingArguments(const std::vector<std::string>& arguments) {
    ExpandedFiles out;
    std::set<fs::path> seen;
    const auto add = [&](const fs::path& file) {
        std::error_code ec;
        const fs::path key = fs::weakly_canonical(fs::absolute(file, ec), ec);
        if (seen.insert(ec ? file : key).second)
            out.files.push_back(file.string());
    };
    for (const std::string& argument : arguments) {
        std::error_code ec;
        if (!fs::is_directory(argument, ec)) {
            add(argument);
            continue;
        }
        std::vector<fs::path> inFolder;
        for (fs::directory_iterator it(argument, ec), end; !ec && it != end; it.increment(ec)) {
            if (IsDrawingFile(it->path()) && !it->is_directory())
                inFolder.push_back(it->path());
        }
        if (ec) {
            out.unlisted.push_back(
                FailedFile(argument, "the folder cannot be listed (" + ec.message() + ")"));
            continue;
        }
        std::sort(inFolder.begin(), inFolder.end());
        for (const fs::path& file : inFolder)
            add(file);
    }
    return out;
}

} // namespace cadhost::batch
