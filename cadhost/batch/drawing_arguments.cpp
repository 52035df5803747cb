#include "cadhost/batch/drawing_arguments.h"

#include "cadhost/formats/drawing_file.h"

#include <algorithm>
#include <filesystem>
#include <set>

namespace cadhost::batch {
namespace fs = std::filesystem;

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
