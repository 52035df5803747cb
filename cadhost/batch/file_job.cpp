#include "cadhost/batch/file_job.h"

#include "cadhost/batch/drawing_run.h"
#include "cadhost/driver/session.h"
#include "cadhost/formats/drawing_file.h"

#include <chrono>

namespace cadhost::batch {
namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Host paths end with a separator.
std::string HostPath(const std::filesystem::path& folder) {
    std::string path = folder.string();
    if (path.empty() || path.back() != '/')
        path += '/';
    return path;
}

} // namespace

std::filesystem::path OutputPathFor(const BatchOptions& options, const std::string& file) {
    if (!WritesDrawings(options))
        return {};
    if (options.inPlace)
        return file;
    return options.outDir / std::filesystem::path(file).filename();
}

FileResult ProcessDrawingFile(const BatchOptions& options, const std::string& file,
                              WorkerContext& context) {
    const auto start = Clock::now();
    qx::Result<DrawingDocument> loaded = OpenDrawingFile(file);
    if (!loaded)
        return FailedFile(file, "cannot be read: " + loaded.error());

    ResetSession();
    Session& session = CurrentSession();
    session.drawing = std::move(loaded->drawing);
    session.config.macroPath = HostPath(context.macroPath);
    session.config.sharedPath = HostPath(context.sharedPath);

    FileResult result;
    result.file = file;
    result.entities = session.drawing.LiveEntityCount();
    DrawingRun run = RunMacroOnDrawing(options, context.main, context.responder);
    result.notes = std::move(loaded->notes);
    result.notes.insert(result.notes.end(), run.notes.begin(), run.notes.end());
    if (!run.error.empty()) {
        result.status = FileStatus::Failed;
        result.error = std::move(run.error);
        result.seconds = SecondsSince(start);
        return result;
    }
    result.replacements = run.replacements;
    result.changed = run.changed;
    result.lengthErrors = run.lengthErrors;
    result.smartTexts = run.smartTexts;
    result.found = run.found;
    result.rows = std::move(run.rows);

    const std::filesystem::path target = OutputPathFor(options, file);
    if (run.drawingChanged && !target.empty()) {
        // The host's one way of replacing a drawing file: atomic, refuses read-only files, keeps
        // links and permissions. A DXF drawing changes only in the texts the run changed.
        if (const auto saved =
                SaveDrawingAs(CurrentSession().drawing, loaded->dxfSource.get(), target);
            !saved) {
            result.status = FileStatus::Failed;
            result.error = "cannot be written: " + saved.error();
        } else {
            result.writtenTo = target.string();
        }
    }
    result.seconds = SecondsSince(start);
    return result;
}

} // namespace cadhost::batch
