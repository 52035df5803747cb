#include "cadhost/batch/progress.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace cadhost::batch {
namespace {

constexpr int kBarCells = 24;
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);

std::string Count(int n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

// Keeps the end of a long file name, which tells files apart better than its folder.
std::string Shortened(const std::string& text, std::size_t room) {
    if (text.size() <= room)
        return text;
    if (room <= 3)
        return text.substr(text.size() - room);
    return "..." + text.substr(text.size() - (room - 3));
}

} // namespace

std::string FormatDuration(double seconds) {
    char buf[32];
    if (seconds < 10) {
        std::snprintf(buf, sizeof buf, "%.2f s", seconds);
        return buf;
    }
    const long whole = std::lround(seconds);
    if (whole < 60) {
        std::snprintf(buf, sizeof buf, "%ld s", whole);
        return buf;
    }
    if (whole < 3600) {
        std::snprintf(buf, sizeof buf, "%ld:%02ld", whole / 60, whole % 60);
        return buf;
    }
    std::snprintf(buf, sizeof buf, "%ld:%02ld:%02ld", whole / 3600, whole / 60 % 60, whole % 60);
    return buf;
}

Progress::Progress(std::ostream& out, ProgressStyle style, RunKind kind, std::size_t files,
                   int width)
    : out_(out), style_(style), kind_(kind), files_(files), width_(std::max(width, 40)) {}

void Progress::Started(const std::string& file) {
    current_ = file;
    if (style_ == ProgressStyle::Bar)
        Draw();
}

void Progress::Finished(const FileResult& result) {
    ++done_;
    entities_ += result.entities;
    if (style_ == ProgressStyle::Lines) {
        out_ << PlainLine(done_, files_, result, kind_) << '\n' << std::flush;
        return;
    }
    Draw();
}

void Progress::Tick() {
    if (style_ == ProgressStyle::Bar && Clock::now() - lastDraw_ >= kRedrawInterval)
        Draw();
}

void Progress::Close() {
    if (style_ != ProgressStyle::Bar || !drawn_)
        return;
    out_ << '\r' << std::string(static_cast<std::size_t>(width_ - 1), ' ') << '\r' << std::flush;
    drawn_ = false;
}

void Progress::Draw() {
    const double elapsed = std::chrono::duration<double>(Clock::now() - start_).count();
    const double rate = done_ > 0 && elapsed > 0 ? static_cast<double>(entities_) / elapsed : -1;
    const double left =
        done_ > 0 ? elapsed / static_cast<double>(done_) * static_cast<double>(files_ - done_) : -1;
    out_ << '\r' << BarLine(done_, files_, current_, rate, left, width_) << std::flush;
    lastDraw_ = Clock::now();
    drawn_ = true;
}

std::string Progress::BarLine(std::size_t done, std::size_t files, const std::string& current,
                              double entitiesPerSecond, double secondsLeft, int width) {
    const std::size_t filled =
        files == 0 ? kBarCells : done * static_cast<std::size_t>(kBarCells) / files;
    std::string line = "[" + std::string(filled, '#') + std::string(kBarCells - filled, '-') +
                       "] " + std::to_string(done) + "/" + std::to_string(files) + " ";
    std::string tail = "  ";
    tail += entitiesPerSecond < 0 ? "-- entities/s"
                                  : std::to_string(std::llround(entitiesPerSecond)) + " entities/s";
    tail += secondsLeft < 0 ? "  -- left" : "  " + FormatDuration(secondsLeft) + " left";
    // The line stays one column short of the width, so the terminal never wraps it.
    const auto room =
        static_cast<std::size_t>(std::max(0, width - 1)) -
        std::min(static_cast<std::size_t>(std::max(0, width - 1)), line.size() + tail.size());
    return line + Shortened(current, room) + tail;
}

std::string Progress::PlainLine(std::size_t done, std::size_t files, const FileResult& r,
                                RunKind kind) {
    std::string line = "[" + std::to_string(done) + "/" + std::to_string(files) + "] " + r.file;
    if (r.status == FileStatus::Failed)
        return line + ": FAILED: " + r.error;
    line += ": ";
    if (kind == RunKind::FindOnly)
        line += Count(r.found, "match", "matches");
    else
        line += Count(r.replacements, "replacement", "replacements") + " in " +
                Count(r.changed, "entity", "entities");
    if (r.lengthErrors > 0)
        line += ", " + Count(r.lengthErrors, "length error", "length errors");
    if (r.smartTexts > 0)
        line += ", " + Count(r.smartTexts, "smart text", "smart texts");
    line += r.writtenTo.empty() ? "" : ", written to " + r.writtenTo;
    return line + " (" + FormatDuration(r.seconds) + ")";
}

} // namespace cadhost::batch
