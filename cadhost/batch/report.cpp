#include "cadhost/batch/report.h"

#include "cadhost/formats/file_replace.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>

namespace cadhost::batch {
namespace {

// A CSV field, quoted when it holds a separator, a quote or a line break (RFC 4180).
std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string LowerExtension(const std::filesystem::path& file) {
    std::string ext = file.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

} // namespace

std::string ReportCsv(const std::vector<FileResult>& results) {
    std::string csv = "file,entity,layer,old_text,new_text,kind\r\n";
    for (const FileResult& r : results) {
        for (const ChangeRow& row : r.rows) {
            csv += CsvField(r.file) + ',' + CsvField(row.entity) + ',' + CsvField(row.layer) + ',' +
                   CsvField(row.oldText) + ',' + CsvField(row.newText) + ',' +
                   RowKindName(row.kind) + "\r\n";
        }
    }
    return csv;
}

std::string ReportJson(const std::vector<FileResult>& results) {
    nlohmann::json changes = nlohmann::json::array();
    nlohmann::json files = nlohmann::json::array();
    for (const FileResult& r : results) {
        for (const ChangeRow& row : r.rows) {
            nlohmann::json j = row;
            j["file"] = r.file;
            changes.push_back(std::move(j));
        }
        const bool failed = r.status == FileStatus::Failed;
        files.push_back({{"file", r.file},
                         {"status", failed ? "failed" : "done"},
                         {"error", r.error},
                         {"replacements", r.replacements},
                         {"changed", r.changed},
                         {"lengthErrors", r.lengthErrors},
                         {"smartTexts", r.smartTexts},
                         {"found", r.found},
                         {"writtenTo", r.writtenTo}});
    }
    // A file name that is not UTF-8 is written with replacement characters rather than lost.
    return nlohmann::json{{"changes", changes}, {"files", files}}.dump(
               2, ' ', false, nlohmann::json::error_handler_t::replace) +
           "\n";
}

qx::Status WriteReport(const std::filesystem::path& file, const std::vector<FileResult>& results) {
    // Replaced as drawings are, so that a reader never sees half a report.
    return ReplaceFileContents(file, LowerExtension(file) == ".json" ? ReportJson(results)
                                                                     : ReportCsv(results));
}

} // namespace cadhost::batch
