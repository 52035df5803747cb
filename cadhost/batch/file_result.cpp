#include "cadhost/batch/file_result.h"

#include <nlohmann/json.hpp>

#include <array>
#include <utility>

namespace cadhost::batch {
namespace {

constexpr std::array<std::pair<RowKind, const char*>, 4> kKindNames = {{
    {RowKind::Changed, "changed"},
    {RowKind::LengthError, "length-error"},
    {RowKind::SmartText, "smart-text"},
    {RowKind::Found, "found"},
}};

} // namespace

std::string RowKindName(RowKind kind) {
    for (const auto& [k, name] : kKindNames) {
        if (k == kind)
            return name;
    }
    return "?";
}

std::optional<RowKind> RowKindFromName(const std::string& name) {
    for (const auto& [k, n] : kKindNames) {
        if (name == n)
            return k;
    }
    return std::nullopt;
}

FileResult FailedFile(std::string file, std::string error) {
    FileResult r;
    r.file = std::move(file);
    r.status = FileStatus::Failed;
    r.error = std::move(error);
    return r;
}

void to_json(nlohmann::json& j, const ChangeRow& row) {
    j = {{"entity", row.entity},
         {"layer", row.layer},
         {"old", row.oldText},
         {"new", row.newText},
         {"kind", RowKindName(row.kind)}};
}

void from_json(const nlohmann::json& j, ChangeRow& row) {
    row.entity = j.at("entity").get<std::string>();
    row.layer = j.at("layer").get<std::string>();
    row.oldText = j.at("old").get<std::string>();
    row.newText = j.at("new").get<std::string>();
    row.kind = RowKindFromName(j.at("kind").get<std::string>()).value_or(RowKind::Changed);
}

void to_json(nlohmann::json& j, const FileResult& r) {
    j = {{"file", r.file},
         {"failed", r.status == FileStatus::Failed},
         {"error", r.error},
         {"notes", r.notes},
         {"entities", r.entities},
         {"replacements", r.replacements},
         {"changed", r.changed},
         {"lengthErrors", r.lengthErrors},
         {"smartTexts", r.smartTexts},
         {"found", r.found},
         {"writtenTo", r.writtenTo},
         {"seconds", r.seconds},
         {"rows", r.rows}};
}

void from_json(const nlohmann::json& j, FileResult& r) {
    r.file = j.at("file").get<std::string>();
    r.status = j.at("failed").get<bool>() ? FileStatus::Failed : FileStatus::Done;
    r.error = j.at("error").get<std::string>();
    r.notes = j.at("notes").get<std::vector<std::string>>();
    r.entities = j.at("entities").get<std::size_t>();
    r.replacements = j.at("replacements").get<int>();
    r.changed = j.at("changed").get<int>();
    r.lengthErrors = j.at("lengthErrors").get<int>();
    r.smartTexts = j.at("smartTexts").get<int>();
    r.found = j.at("found").get<int>();
    r.writtenTo = j.at("writtenTo").get<std::string>();
    r.seconds = j.at("seconds").get<double>();
    r.rows = j.at("rows").get<std::vector<ChangeRow>>();
}

} // namespace cadhost::batch
