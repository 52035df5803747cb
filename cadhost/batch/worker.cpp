#include "cadhost/batch/worker.h"

#include "cadhost/batch/file_job.h"
#include "cadhost/driver/macro_library.h"

#include <QApplication>

#include <nlohmann/json.hpp>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

namespace cadhost::batch {
namespace {

// Tests set this to a drawing's file name to make the worker that takes it crash, so that the
// pool's handling of a crashed worker is tested on a real crash.
constexpr const char* kCrashOnVariable = "CADHOST_BATCH_TEST_CRASH_ON";

void CrashIfAsked(const std::string& file) {
    const char* name = std::getenv(kCrashOnVariable);
    if (name != nullptr && std::filesystem::path(file).filename() == name)
        std::abort();
}

} // namespace

bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

int RunWorker(const BatchOptions& options, int argc, char** argv) {
    // The macro's dialogs need an application object but no screen.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    WorkerContext context;
    context.macroPath = options.workerDir / "macro";
    context.sharedPath = options.workerDir / "shared";
    std::error_code ec;
    std::filesystem::create_directories(context.macroPath, ec);
    std::filesystem::create_directories(context.sharedPath, ec);
    const std::string folderProblem =
        ec ? "the worker cannot make its settings folder " + options.workerDir.string() : "";
    const auto macro = LoadMacroLibrary(options.macroLibrary.empty() ? DefaultMacroLibraryPath()
                                                                     : options.macroLibrary);
    context.main = macro ? *macro : nullptr;
    ScopedUiResponder responder(context.responder);

    for (std::string line; std::getline(std::cin, line);) {
        const nlohmann::json job = nlohmann::json::parse(line, nullptr, false);
        if (job.is_discarded() || !job.contains("file") || !job["file"].is_string())
            return 2;
        const std::string file = job["file"].get<std::string>();
        CrashIfAsked(file);
        FileResult result;
        if (!folderProblem.empty())
            result = FailedFile(file, folderProblem);
        else if (!macro)
            result = FailedFile(file, macro.error());
        else
            result = ProcessDrawingFile(options, file, context);
        const std::string answer =
            nlohmann::json(result).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
        if (!WriteAll(kResultsDescriptor, answer + "\n"))
            return 1;
    }
    return 0;
}

} // namespace cadhost::batch
