// The report of a batch run: one row per change (file, entity, layer, old text, new text, kind)
// as CSV or JSON, chosen by the report file's extension. Texts are UTF-8.
//
// The JSON form also lists each drawing with its counts and whether it failed. Neither form
// holds times, so that two runs over the same drawings give the same report.
#pragma once

#include "cadhost/batch/file_result.h"
#include "platform/result.h"

#include <filesystem>
#include <string>
#include <vector>

namespace cadhost::batch {

std::string ReportCsv(const std::vector<FileResult>& results);
std::string ReportJson(const std::vector<FileResult>& results);

// Writes the report, replacing the file as drawings are replaced.
qx::Status WriteReport(const std::filesystem::path& file, const std::vector<FileResult>& results);

} // namespace cadhost::batch
