#include "cadhost/batch/batch_command.h"

#include "cadhost/batch/batch_options.h"
#include "cadhost/batch/drawing_arguments.h"
#include "cadhost/batch/file_job.h"
#include "cadhost/batch/progress.h"
#include "cadhost/batch/report.h"
#include "cadhost/batch/summary.h"
#include "cadhost/batch/worker.h"
#include "cadhost/batch/worker_pool.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <set>

namespace cadhost::batch {
namespace {

namespace fs = std::filesystem;

constexpr int kExitDone = 0;
constexpr int kExitSomeFailed = 1;
constexpr int kExitUsage = 2;

int Usage(const std::string& message) {
    std::cerr << "cadhost batch: " << message << "\n(cadhost batch --help lists the options)\n";
    return kExitUsage;
}

int TerminalWidth() {
    winsize size{};
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        return size.ws_col;
    return 80;
}

fs::path Canonical(const fs::path& path) {
    std::error_code ec;
    fs::path p = fs::weakly_canonical(fs::absolute(path, ec), ec);
    return ec ? path : p;
}

// The output folder must be a folder of its own: writing into a drawing's own folder would
// replace it without the question --in-place asks, and two drawings of one name would write
// the same file.
std::string CheckOutputFolder(const BatchOptions& options, const std::vector<std::string>& files) {
    if (options.outDir.empty() || !WritesDrawings(options))
        return {};
    std::error_code ec;
    fs::create_directories(options.outDir, ec);
    if (!fs::is_directory(options.outDir, ec))
        return "--out " + options.outDir.string() + " is not a folder that can be made";
    const fs::path out = Canonical(options.outDir);
    std::map<fs::path, std::string> names;
    for (const std::string& file : files) {
        if (Canonical(fs::path(file).parent_path().empty() ? "." : fs::path(file).parent_path()) ==
            out)
            return "--out names the folder of " + file + "; use --in-place to replace the files";
        const auto [it, added] = names.emplace(fs::path(file).filename(), file);
        if (!added)
            return it->second + " and " + file + " would both be written to " +
                   (options.outDir / fs::path(file).filename()).string();
    }
    return {};
}

// In-place runs replace the user's files: they are asked for first.
enum class Consent { Given, Refused, CannotAsk };

Consent AskInPlace(const BatchOptions& options, std::size_t files) {
    if (!options.inPlace || !WritesDrawings(options) || options.yes)
        return Consent::Given;
    if (!isatty(STDIN_FILENO))
        return Consent::CannotAsk;
    std::cerr << "Replace the drawings that change among " << files
              << (files == 1 ? " file" : " files") << " in place? [y/N] " << std::flush;
    std::string answer;
    std::getline(std::cin, answer);
    return answer == "y" || answer == "Y" || answer == "yes" ? Consent::Given : Consent::Refused;
}

// A private folder for the macro's settings files while the batch runs.
fs::path MakeSettingsRoot() {
    std::string pattern = (fs::temp_directory_path() / "cadhost-batch-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        return {};
    return pattern;
}

int RunCommand(const BatchOptions& options) {
    ExpandedFiles expanded = ExpandDrawingArguments(options.files);
    if (expanded.files.empty() && expanded.unlisted.empty())
        return Usage("the folders named hold no drawings");
    if (const std::string problem = CheckOutputFolder(options, expanded.files); !problem.empty())
        return Usage(problem);
    // Found out now rather than after the whole run.
    std::error_code ec;
    if (const fs::path folder = options.report.parent_path();
        !options.report.empty() && !folder.empty() && !fs::is_directory(folder, ec))
        return Usage("--report names a file in " + folder.string() + ", which is not a folder");
    switch (AskInPlace(options, expanded.files.size())) {
    case Consent::Given:
        break;
    case Consent::Refused:
        std::cerr << "cadhost batch: nothing was changed\n";
        return kExitSomeFailed;
    case Consent::CannotAsk:
        return Usage("--in-place replaces files: with no terminal to ask, give --yes as well");
    }
    const fs::path settingsRoot = MakeSettingsRoot();
    if (settingsRoot.empty()) {
        std::cerr << "cadhost batch: cannot make a temporary folder for the macro's settings\n";
        return kExitSomeFailed;
    }
    // The workers answer the macro's dialogs without a screen, also when one is there.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);

    const RunKind kind = options.operation == Operation::Find ? RunKind::FindOnly : RunKind::Change;
    const bool terminal = isatty(STDOUT_FILENO) != 0;
    Progress progress(std::cout, terminal ? ProgressStyle::Bar : ProgressStyle::Lines, kind,
                      expanded.files.size(), terminal ? TerminalWidth() : 80);
    const auto start = std::chrono::steady_clock::now();
    PoolSettings pool{options.jobs, options.optionArgs, settingsRoot};
    std::vector<FileResult> results = RunInWorkers(pool, expanded.files, progress);
    results.insert(results.end(), expanded.unlisted.begin(), expanded.unlisted.end());
    progress.Close();
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    fs::remove_all(settingsRoot, ec);

    std::cout << '\n' << SummaryTable(results, kind, options.mode, wall) << std::flush;
    int status = kExitDone;
    for (const FileResult& r : results) {
        if (r.status == FileStatus::Failed)
            status = kExitSomeFailed;
    }
    if (!options.report.empty()) {
        if (const qx::Status written = WriteReport(options.report, results); !written) {
            std::cerr << "cadhost batch: " << written.error() << '\n';
            return kExitSomeFailed;
        }
        std::cout << "Report: " << options.report.string() << '\n';
    }
    return status;
}

} // namespace

int RunBatchCommand(int argc, char** argv) {
    const std::vector<std::string> args(argv + 2, argv + argc);
    const qx::Result<BatchOptions> parsed = ParseBatchOptions(args);
    if (!parsed)
        return Usage(parsed.error());
    const BatchOptions& options = *parsed;
    if (options.help) {
        std::cout << BatchHelp();
        return kExitDone;
    }
    if (options.worker)
        return RunWorker(options, argc, argv);
    return RunCommand(options);
}

} // namespace cadhost::batch
