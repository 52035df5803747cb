#include "cadhost/batch/summary.h"

#include <algorithm>
#include <sstream>

namespace cadhost::batch {
namespace {

constexpr std::size_t kMaxFileColumn = 48;
constexpr std::size_t kFilesNamedPerNote = 3;

struct Table {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;

    std::string Render() const {
        std::vector<std::size_t> widths(header.size());
        for (std::size_t c = 0; c < header.size(); ++c) {
            widths[c] = header[c].size();
            for (const auto& row : rows)
                widths[c] = std::max(widths[c], row[c].size());
        }
        std::ostringstream out;
        const auto line = [&](const std::vector<std::string>& cells) {
            std::string text;
            for (std::size_t c = 0; c < cells.size(); ++c) {
                const std::string pad(widths[c] - cells[c].size(), ' ');
                // The file name reads from the left, numbers line up on the right.
                text += c == 0 ? cells[c] + pad : "  " + pad + cells[c];
            }
            out << text << '\n';
        };
        line(header);
        std::size_t total = 0;
        for (std::size_t w : widths)
            total += w + 2;
        out << std::string(total - 2, '-') << '\n';
        for (std::size_t r = 0; r < rows.size(); ++r) {
            if (r + 1 == rows.size())
                out << std::string(total - 2, '-') << '\n';
            line(rows[r]);
        }
        return out.str();
    }
};

std::string FileColumn(const std::string& file) {
    if (file.size() <= kMaxFileColumn)
        return file;
    return "..." + file.substr(file.size() - (kMaxFileColumn - 3));
}

std::vector<std::string> Counts(const FileResult& r, RunKind kind) {
    if (kind == RunKind::FindOnly)
        return {std::to_string(r.found), std::to_string(r.smartTexts)};
    return {std::to_string(r.replacements), std::to_string(r.changed),
            std::to_string(r.lengthErrors), std::to_string(r.smartTexts)};
}

// What the macro noted, once per kind of note, with the drawings it concerns: the same note on
// fifty drawings is one line.
std::string NotesByText(const std::vector<FileResult>& results) {
    std::vector<std::pair<std::string, std::vector<std::string>>> notes;
    for (const FileResult& r : results) {
        for (const std::string& note : r.notes) {
            auto it = std::find_if(notes.begin(), notes.end(),
                                   [&](const auto& n) { return n.first == note; });
            if (it == notes.end())
                it = notes.insert(notes.end(), {note, {}});
            it->second.push_back(r.file);
        }
    }
    std::string text;
    for (const auto& [note, files] : notes) {
        text += "Note: " + note + " (";
        for (std::size_t i = 0; i < files.size() && i < kFilesNamedPerNote; ++i)
            text += (i > 0 ? ", " : "") + files[i];
        if (files.size() > kFilesNamedPerNote)
            text += " and " + std::to_string(files.size() - kFilesNamedPerNote) + " more";
        text += ")\n";
    }
    return text;
}

} // namespace

std::string SummaryTable(const std::vector<FileResult>& results, RunKind kind, RunMode mode,
                         double wallSeconds) {
    Table table;
    table.header = kind == RunKind::FindOnly
                       ? std::vector<std::string>{"File", "Found", "Smart texts", "Time"}
                       : std::vector<std::string>{"File",          "Replacements", "Changed",
                                                  "Length errors", "Smart texts",  "Time"};
    FileResult total;
    std::size_t failed = 0;
    std::size_t written = 0;
    for (const FileResult& r : results) {
        std::vector<std::string> row{FileColumn(r.file)};
        if (r.status == FileStatus::Failed) {
            ++failed;
            row.push_back("failed");
            row.resize(table.header.size() - 1, "");
        } else {
            const auto counts = Counts(r, kind);
            row.insert(row.end(), counts.begin(), counts.end());
            total.replacements += r.replacements;
            total.changed += r.changed;
            total.lengthErrors += r.lengthErrors;
            total.smartTexts += r.smartTexts;
            total.found += r.found;
        }
        written += r.writtenTo.empty() ? 0 : 1;
        row.push_back(FormatDuration(r.seconds));
        table.rows.push_back(std::move(row));
    }
    std::vector<std::string> totals{"Total (" + std::to_string(results.size()) +
                                    (results.size() == 1 ? " drawing)" : " drawings)")};
    const auto counts = Counts(total, kind);
    totals.insert(totals.end(), counts.begin(), counts.end());
    totals.push_back(FormatDuration(wallSeconds));
    table.rows.push_back(std::move(totals));

    std::ostringstream out;
    out << table.Render();
    if (kind == RunKind::Change || written > 0)
        out << (mode == RunMode::DryRun
                    ? "Dry run: no drawing was written.\n"
                    : std::to_string(written) + " of " + std::to_string(results.size()) +
                          " drawings written.\n");
    if (failed > 0) {
        out << failed
            << (failed == 1 ? " drawing failed and was left as it was:\n"
                            : " drawings failed and were left as they were:\n");
        for (const FileResult& r : results) {
            if (r.status == FileStatus::Failed)
                out << "  " << r.file << ": " << r.error << '\n';
        }
    }
    out << NotesByText(results);
    return out.str();
}

} // namespace cadhost::batch
