#include "cadhost/batch/drawing_files.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <set>

namespace cadhost::batch {
namespace fs = std::filesystem;

namespace {

constexpr fs::perms kAnyWrite =
    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;

std::string LowerExtension(const fs::path& file) {
    std::string ext = file.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

// The file a save replaces: a symbolic link is followed to the file it leads to, so that the
// link itself stays in place.
std::optional<fs::path> SaveTarget(const fs::path& file, std::string& problem) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(file, ec)))
        return file;
    const fs::path target = fs::weakly_canonical(file, ec);
    if (ec) {
        problem = file.string() + ": the link cannot be followed (" + ec.message() +
                  "); nothing was written";
        return std::nullopt;
    }
    return target;
}

} // namespace

bool IsDrawingFile(const fs::path& file) {
    return LowerExtension(file) == ".json";
}

LoadedDrawing LoadBatchDrawing(const fs::path& file) {
    return LoadDrawingFile(file);
}

std::string SaveBatchDrawing(const Drawing& drawing, const fs::path& file) {
    std::string problem;
    const auto target = SaveTarget(file, problem);
    if (!target)
        return problem;
    std::error_code ec;
    const fs::file_status status = fs::status(*target, ec);
    const bool exists = fs::exists(status);
    // Refused even for a user (such as root) whom the system would let write: a file without
    // write permission says that it must not change.
    if (exists && ((status.permissions() & kAnyWrite) == fs::perms::none ||
                   access(target->c_str(), W_OK) != 0))
        return file.string() + ": the file is read-only; it was left as it was";
    if (std::string error = SaveDrawingFile(drawing, *target); !error.empty())
        return error;
    // The new file takes the place of the old one and keeps its permissions.
    if (exists)
        fs::permissions(*target, status.permissions(), ec);
    return {};
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
            out.problems.push_back(argument + ": the folder cannot be listed (" + ec.message() +
                                   ")");
            continue;
        }
        std::sort(inFolder.begin(), inFolder.end());
        for (const fs::path& file : inFolder)
            add(file);
    }
    return out;
}

} // namespace cadhost::batch
