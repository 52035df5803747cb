// The drawing files of a batch run: which files count as drawings, loading and saving them,
// and how an entity is named in a report. The one place of the batch that knows file formats,
// so that a new format is added here and nowhere else.
#pragma once

#include "cadhost/batch/file_result.h"
#include "cadhost/formats/drawing_file.h"
#include "cadhost/model/drawing.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace cadhost::batch {

// A file whose name says it holds a drawing the host reads.
bool IsDrawingFile(const std::filesystem::path& file);

// A drawing as read from its file, with whatever its format needs to write it back.
struct DrawingFile {
    std::optional<Drawing> drawing;
    std::string error;              // why it could not be read; names the file
    std::vector<std::string> notes; // what the reader said about the file
    // The DXF file the drawing came from; a DXF drawing is written back into it.
    std::shared_ptr<const dxf::Document> dxfSource;
    explicit operator bool() const { return drawing.has_value(); }
};

DrawingFile LoadBatchDrawing(const std::filesystem::path& file);

// Writes `drawing`, the drawing of `source` after the run, to `file` in the format of the
// source. The file is replaced atomically; a file without write permission is refused, and a
// symbolic link stays a link: the file it leads to is replaced. Empty when written, else a
// message that names the file and says that the old file is unchanged.
std::string SaveBatchDrawing(const DrawingFile& source, const Drawing& drawing,
                             const std::filesystem::path& file);

// How a report names an entity: its name when it has one, else "#N" for the N-th entity of the
// file.
std::string EntityLabel(const Drawing& drawing, lgl_addr entity);

// The drawings the command line names, in order: a file as given, a folder as its drawing
// files sorted by name. A path named twice (also through a folder) is taken once.
struct ExpandedFiles {
    std::vector<std::string> files;
    // Folders that cannot be listed: each is reported as a failed drawing.
    std::vector<FileResult> unlisted;
};
ExpandedFiles ExpandDrawingArguments(const std::vector<std::string>& arguments);

} // namespace cadhost::batch
