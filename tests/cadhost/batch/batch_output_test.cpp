// What a batch run shows and writes: the report in its two forms, the result a worker sends, the
// summary table and the progress lines.
#include "cadhost/batch/file_result.h"
#include "cadhost/batch/progress.h"
#include "cadhost/batch/report.h"
#include "cadhost/batch/summary.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <iterator>
#include <sstream>

namespace cadhost::batch {
namespace {

FileResult Done(std::string file, std::vector<ChangeRow> rows = {}) {
    FileResult r;
    r.file = std::move(file);
    r.entities = 40;
    r.replacements = 3;
    r.changed = 2;
    r.lengthErrors = 1;
    r.smartTexts = 1;
    r.seconds = 0.5;
    r.rows = std::move(rows);
    return r;
}

TEST(BatchReport, CsvQuotesWhatWouldBreakAField) {
    const ChangeRow row{"tag, 1", "Layer \"A\"", "two\nlines", "T\xC3\xBCr", RowKind::Changed};
    const std::string csv = ReportCsv({Done("plans/a,b.json", {row})});
    EXPECT_EQ(csv, "file,entity,layer,old_text,new_text,kind\r\n"
                   "\"plans/a,b.json\",\"tag, 1\",\"Layer \"\"A\"\"\",\"two\nlines\","
                   "T\xC3\xBCr,changed\r\n");
}

TEST(BatchReport, RowsKeepTheirFileAndOrderAndFailedFilesAddNone) {
    const ChangeRow a{"#1", "L", "old", "new", RowKind::Changed};
    const ChangeRow b{"long", "L", "x", "x", RowKind::LengthError};
    const ChangeRow c{"note", "N", "Back door", "", RowKind::SmartText};
    const std::vector<FileResult> results = {
        Done("a.json", {a, b}), FailedFile("bad.json", "cannot be read"), Done("c.json", {c})};
    const auto json = nlohmann::json::parse(ReportJson(results));
    ASSERT_EQ(json["changes"].size(), 3u);
    EXPECT_EQ(json["changes"][0]["file"], "a.json");
    EXPECT_EQ(json["changes"][1]["kind"], "length-error");
    EXPECT_EQ(json["changes"][2]["file"], "c.json");
    EXPECT_EQ(json["changes"][2]["kind"], "smart-text");
    EXPECT_EQ(json["files"][1]["status"], "failed");
    EXPECT_EQ(json["files"][1]["error"], "cannot be read");
    // No times: two runs over the same drawings give the same report.
    EXPECT_FALSE(json["files"][0].contains("seconds"));
    const std::string csv = ReportCsv(results);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 4);
}

TEST(BatchReport, AWorkersResultCrossesThePipeWhole) {
    FileResult sent = Done("a.json", {{"n", "L", "\xC3\xA9t\xC3\xA9", "E", RowKind::Found}});
    sent.notes = {"Matching Entities on Locked Layers will NOT be modified"};
    sent.writtenTo = "out/a.json";
    const FileResult got = nlohmann::json::parse(nlohmann::json(sent).dump()).get<FileResult>();
    EXPECT_EQ(got.rows, sent.rows);
    EXPECT_EQ(got.notes, sent.notes);
    EXPECT_EQ(got.writtenTo, sent.writtenTo);
    EXPECT_EQ(got.lengthErrors, 1);
    EXPECT_EQ(got.status, FileStatus::Done);
    for (RowKind kind :
         {RowKind::Changed, RowKind::LengthError, RowKind::SmartText, RowKind::Found})
        EXPECT_EQ(RowKindFromName(RowKindName(kind)), kind);
}

TEST(BatchSummary, TotalsLeaveFailedFilesOutAndSayWhyTheyFailed) {
    const std::string table = SummaryTable(
        {Done("a.json"), FailedFile("b.json", "cannot be read: b.json: empty"), Done("c.json")},
        RunKind::Change, RunMode::Write, 1.25);
    // The totals row, its cells as the header names them.
    const std::size_t total = table.find("Total (3 drawings)");
    ASSERT_NE(total, std::string::npos) << table;
    std::istringstream cells(table.substr(total + 18, table.find('\n', total) - total - 18));
    std::vector<std::string> row{std::istream_iterator<std::string>(cells), {}};
    EXPECT_EQ(row, (std::vector<std::string>{"6", "4", "2", "2", "1.25", "s"})) << table;
    EXPECT_NE(table.find("1 drawing failed and was left as it was:\n"
                         "  b.json: cannot be read: b.json: empty"),
              std::string::npos)
        << table;
    EXPECT_NE(table.find("0 of 3 drawings written."), std::string::npos) << table;
}

TEST(BatchSummary, TheSameNoteOnManyDrawingsIsOneLine) {
    std::vector<FileResult> results;
    for (const char* f : {"a", "b", "c", "d", "e"}) {
        results.push_back(Done(f));
        results.back().notes = {"Matching Entities on Locked Layers will NOT be modified"};
    }
    const std::string table = SummaryTable(results, RunKind::FindOnly, RunMode::DryRun, 1);
    EXPECT_NE(table.find("Note: Matching Entities on Locked Layers will NOT be modified (a, b, c "
                         "and 2 more)\n"),
              std::string::npos)
        << table;
    EXPECT_EQ(table.substr(0, table.find('\n')).find("Replacements"), std::string::npos) << table;
    EXPECT_NE(table.find("Found  Smart texts"), std::string::npos) << table;
}

TEST(BatchProgress, TheBarFitsTheTerminalAndKeepsTheEndOfTheFileName) {
    const std::string line =
        Progress::BarLine(5, 20, "projects/tower/level-03/plans/plan-0042.json", 12345.4, 75, 80);
    EXPECT_EQ(line.size(), 79u) << line;
    EXPECT_EQ(line.substr(0, 32), "[######------------------] 5/20 ");
    EXPECT_NE(line.find(" .../plan-0042.json  12345 entities/s  1:15 left"), std::string::npos)
        << line;
    const std::string first = Progress::BarLine(0, 3, "a.json", -1, -1, 80);
    EXPECT_NE(first.find("a.json  -- entities/s  -- left"), std::string::npos) << first;
}

TEST(BatchProgress, APlainLinePerFile) {
    FileResult r = Done("a.json");
    r.writtenTo = "out/a.json";
    EXPECT_EQ(Progress::PlainLine(1, 2, r, RunKind::Change),
              "[1/2] a.json: 3 replacements in 2 entities, 1 length error, 1 smart text, "
              "written to out/a.json (0.50 s)");
    r.found = 1;
    EXPECT_EQ(Progress::PlainLine(1, 2, r, RunKind::FindOnly),
              "[1/2] a.json: 1 match, 1 length error, 1 smart text, written to out/a.json "
              "(0.50 s)");
    EXPECT_EQ(Progress::PlainLine(2, 2, FailedFile("b.json", "cannot be read"), RunKind::Change),
              "[2/2] b.json: FAILED: cannot be read");
}

TEST(BatchProgress, DurationsReadAsAPersonWouldWriteThem) {
    EXPECT_EQ(FormatDuration(0.421), "0.42 s");
    EXPECT_EQ(FormatDuration(12.4), "12 s");
    EXPECT_EQ(FormatDuration(187), "3:07");
    EXPECT_EQ(FormatDuration(3729), "1:02:09");
}

} // namespace
} // namespace cadhost::batch
