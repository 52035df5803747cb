// What processing one drawing gave: its counts, its report rows, and whether and where it was
// written. A worker process sends it to the command as one line of JSON.
#pragma once

#include <nlohmann/json_fwd.hpp>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace cadhost::batch {

enum class RowKind {
    Changed,     // the text was changed
    LengthError, // the new text would not fit in 255 characters: left unchanged
    SmartText,   // a paragraph or multi-line text, which the macro only finds
    Found,       // a match of a find-only run
};

std::string RowKindName(RowKind kind);
std::optional<RowKind> RowKindFromName(const std::string& name);

// One row of the report. Texts are UTF-8.
struct ChangeRow {
    std::string entity; // its name, or "#N"
    std::string layer;
    std::string oldText;
    // The changed text; for a length error the text the macro could make of it (which was not
    // written); empty for smart texts and finds.
    std::string newText;
    RowKind kind = RowKind::Changed;
    friend bool operator==(const ChangeRow&, const ChangeRow&) = default;
};

enum class FileStatus { Done, Failed };

struct FileResult {
    std::string file; // as named on the command line
    FileStatus status = FileStatus::Done;
    std::string error;              // why it failed
    std::vector<std::string> notes; // what the macro said on the way, for the user
    std::size_t entities = 0;       // entities in the drawing
    int replacements = 0;           // as the macro counted them
    int changed = 0;                // entities whose text differs afterwards
    int lengthErrors = 0;
    int smartTexts = 0;
    int found = 0; // plain texts a find-only run listed
    std::string writtenTo;
    double seconds = 0;
    std::vector<ChangeRow> rows;
};

FileResult FailedFile(std::string file, std::string error);

void to_json(nlohmann::json& j, const ChangeRow& row);
void from_json(const nlohmann::json& j, ChangeRow& row);
void to_json(nlohmann::json& j, const FileResult& result);
void from_json(const nlohmann::json& j, FileResult& result);

} // namespace cadhost::batch
