// A small pool of long-lived worker processes that take drawings from one queue. Each drawing
// runs in a process of its own, apart from the drawings of the other workers, and the macro is
// loaded once per worker instead of once per drawing. A worker that dies takes only its
// current drawing with it: that drawing is reported as failed and a new worker takes its place.
#pragma once

#include "cadhost/batch/file_result.h"
#include "cadhost/batch/progress.h"

#include <filesystem>
#include <string>
#include <vector>

namespace cadhost::batch {

struct PoolSettings {
    int workers = 1;
    // The options every worker is started with (the batch's own options, without files).
    std::vector<std::string> workerOptions;
    // Each worker gets a settings folder of its own below this one.
    std::filesystem::path settingsRoot;
};

// Processes the files in order of the queue and returns one result per file, in the order of
// `files`, whichever worker processed it and whenever it ended.
std::vector<FileResult> RunInWorkers(const PoolSettings& settings,
                                     const std::vector<std::string>& files, Progress& progress);

} // namespace cadhost::batch
