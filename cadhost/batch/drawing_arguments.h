// The drawings a batch command line names: files as given, folders as the drawing files in
// them (cadhost/formats/drawing_file.h says which files those are).
#pragma once

#include "cadhost/batch/file_result.h"

#include <string>
#include <vector>

namespace cadhost::batch {

// The drawings the command line names, in order: a file as given, a folder as its drawing
// files sorted by name. A path named twice (also through a folder) is taken once.
struct ExpandedFiles {
    std::vector<std::string> files;
    // Folders that cannot be listed: each is reported as a failed drawing.
    std::vector<FileResult> unlisted;
};
ExpandedFiles ExpandDrawingArguments(const std::vector<std::string>& arguments);

} // namespace cadhost::batch
