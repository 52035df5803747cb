// The table printed when a batch ends: one line per drawing with its counts and time, the
// totals, then the drawings that failed and why, and what the macro noted on the way.
#pragma once

#include "cadhost/batch/batch_options.h"
#include "cadhost/batch/file_result.h"
#include "cadhost/batch/progress.h"

#include <string>
#include <vector>

namespace cadhost::batch {

std::string SummaryTable(const std::vector<FileResult>& results, RunKind kind, RunMode mode,
                         double wallSeconds);

} // namespace cadhost::batch
