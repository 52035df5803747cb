// The options of `cadhost batch`: what to find, what to do with it, where the results go.
#pragma once

#include "platform/result.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace cadhost::batch {

enum class Operation { Replace, Upper, Lower, Sentence, Increment, Find };

// Which number of a text an increment changes; the order of the macro's number menu.
enum class NumberPosition { First, Second, Last, Start, End };

// Whether the drawings are processed for real or only to see what would change.
enum class RunMode { Write, DryRun };

struct BatchOptions {
    // Texts the macro sees are Windows-1252, as typed at its prompts.
    std::string search;
    bool caseSensitive = false;
    bool wholeWord = false;
    bool wholeEntity = false;
    std::vector<std::string> layers; // empty: the whole drawing

    Operation operation = Operation::Replace;
    std::string replacement;
    NumberPosition position = NumberPosition::First;
    std::int32_t step = 1;

    std::filesystem::path outDir; // empty unless --out
    bool inPlace = false;
    RunMode mode = RunMode::Write;
    bool yes = false;
    std::filesystem::path report; // empty: no report

    int jobs = 1;
    std::optional<int> selectionSet;
    std::string macroLibrary; // empty: the default library

    std::vector<std::string> files; // as given: files and folders
    // The arguments that are not files, so that a worker process can be started with the same
    // options.
    std::vector<std::string> optionArgs;
    bool worker = false;             // this process is one of the pool's workers
    std::filesystem::path workerDir; // the worker's private folder for the macro's settings
    bool help = false;
};

// Reads the arguments that follow "batch". Every inconsistency is an error that says what to
// do instead.
qx::Result<BatchOptions> ParseBatchOptions(const std::vector<std::string>& args);

std::string BatchHelp();

// True when the run writes drawings: an operation that changes them, or a find that fills a
// selection set, and not a dry run.
bool WritesDrawings(const BatchOptions& options);
// True when the run may change drawings in memory at all (before any writing).
bool ChangesDrawings(const BatchOptions& options);

} // namespace cadhost::batch
