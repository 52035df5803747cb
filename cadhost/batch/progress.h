// What the user sees while a batch runs: on a terminal a progress bar with the file count, the
// current file, entities per second and the time left; otherwise one plain line per file.
#pragma once

#include "cadhost/batch/file_result.h"

#include <chrono>
#include <cstddef>
#include <ostream>
#include <string>

namespace cadhost::batch {

enum class ProgressStyle { Bar, Lines };

// A find-only run counts matches; every other run counts replacements and changed entities.
enum class RunKind { Change, FindOnly };

class Progress {
public:
    using Clock = std::chrono::steady_clock;

    Progress(std::ostream& out, ProgressStyle style, RunKind kind, std::size_t files,
             int width = 80);

    void Started(const std::string& file);
    void Finished(const FileResult& result);
    // Redraws the bar, so that the time moves on while a large drawing runs.
    void Tick();
    // Takes the bar off the screen before the summary.
    void Close();

    // The bar's line for the given state; exposed for tests.
    static std::string BarLine(std::size_t done, std::size_t files, const std::string& current,
                               double entitiesPerSecond, double secondsLeft, int width);
    // One line for a finished drawing.
    static std::string PlainLine(std::size_t done, std::size_t files, const FileResult& result,
                                 RunKind kind);

private:
    void Draw();

    std::ostream& out_;
    ProgressStyle style_;
    RunKind kind_;
    std::size_t files_;
    int width_;
    std::size_t done_ = 0;
    std::size_t entities_ = 0;
    std::string current_;
    Clock::time_point start_ = Clock::now();
    Clock::time_point lastDraw_{};
    bool drawn_ = false;
};

// Readable durations: "0.42 s", "12 s", "3:07", "1:02:09".
std::string FormatDuration(double seconds);

} // namespace cadhost::batch
