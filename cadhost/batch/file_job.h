// One drawing file from start to end, inside a worker process: load it, run the macro over it,
// and write it where the options say when the run changed it.
#pragma once

#include "cadhost/batch/batch_options.h"
#include "cadhost/batch/batch_responder.h"
#include "cadhost/batch/file_result.h"
#include "host/host_api.h"

#include <filesystem>
#include <string>

namespace cadhost::batch {

// What a worker keeps from one drawing to the next.
struct WorkerContext {
    qx::host::Main_fn main = nullptr;
    // The macro's settings folders (host paths 4 and 6), private to this worker so that the
    // user's own settings are never read or written.
    std::filesystem::path macroPath;
    std::filesystem::path sharedPath;
    BatchResponder responder;
};

// Where a changed drawing is written, or an empty path when the run writes nothing.
std::filesystem::path OutputPathFor(const BatchOptions& options, const std::string& file);

FileResult ProcessDrawingFile(const BatchOptions& options, const std::string& file,
                              WorkerContext& context);

} // namespace cadhost::batch
