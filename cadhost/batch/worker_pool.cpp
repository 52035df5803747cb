#include "cadhost/batch/worker_pool.h"

#include "cadhost/batch/worker.h"

#include <fcntl.h>
#include <nlohmann/json.hpp>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <optional>

extern char** environ;

namespace cadhost::batch {
namespace {

// Pipe ends are kept above the descriptors a worker is given (0 to 3), so that placing them
// there is always a real copy that drops the close-on-exec flag.
constexpr int kLowestPipeDescriptor = 10;
constexpr int kPollMilliseconds = 100;
constexpr std::size_t kReadChunk = 1 << 16;
// How much of a worker's own output is kept to explain its death.
constexpr std::size_t kLogTail = 4096;

struct Pipe {
    int read = -1;
    int write = -1;
};

void CloseFd(int& fd) {
    if (fd >= 0)
        close(fd);
    fd = -1;
}

std::optional<Pipe> MakePipe() {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return std::nullopt;
    Pipe p{fcntl(fds[0], F_DUPFD_CLOEXEC, kLowestPipeDescriptor),
           fcntl(fds[1], F_DUPFD_CLOEXEC, kLowestPipeDescriptor)};
    close(fds[0]);
    close(fds[1]);
    if (p.read < 0 || p.write < 0) {
        CloseFd(p.read);
        CloseFd(p.write);
        return std::nullopt;
    }
    return p;
}

// Reads what is there: the bytes, or nothing at the end of the stream.
std::optional<std::string> ReadSome(int fd) {
    std::string buf(kReadChunk, '\0');
    for (;;) {
        const ssize_t n = read(fd, buf.data(), buf.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return std::nullopt;
        buf.resize(static_cast<std::size_t>(n));
        return buf;
    }
}

std::string LastLine(const std::string& text) {
    const std::size_t end = text.find_last_not_of("\r\n");
    if (end == std::string::npos)
        return {};
    const std::size_t newline = text.rfind('\n', end);
    const std::size_t start = newline == std::string::npos ? 0 : newline + 1;
    return text.substr(start, end + 1 - start);
}

std::string DeathMessage(int status, const std::string& log) {
    std::string message;
    if (WIFSIGNALED(status))
        message = std::string("the worker process crashed on this drawing (") +
                  strsignal(WTERMSIG(status)) + ")";
    else
        message = "the worker process ended on this drawing with exit status " +
                  std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    if (const std::string said = LastLine(log); !said.empty())
        message += "; its last words: " + said;
    return message;
}

class Pool {
public:
    Pool(const PoolSettings& settings, const std::vector<std::string>& files, Progress& progress)
        : settings_(settings), files_(files), progress_(progress), results_(files.size()) {}

    std::vector<FileResult> Run() {
        const std::size_t count =
            std::min(files_.size(), static_cast<std::size_t>(std::max(1, settings_.workers)));
        workers_.resize(count);
        for (Worker& w : workers_) {
            if (Spawn(w))
                Dispatch(w);
        }
        while (AnyAlive())
            Wait();
        // Files no worker could be started for.
        for (std::size_t i = 0; i < files_.size(); ++i) {
            if (!results_[i])
                results_[i] = FailedFile(files_[i], "no worker process could be started");
        }
        std::vector<FileResult> out;
        out.reserve(results_.size());
        for (auto& r : results_)
            out.push_back(std::move(*r));
        return out;
    }

private:
    struct Worker {
        pid_t pid = -1;
        int jobs = -1;    // the worker's standard input
        int results = -1; // the worker's results channel
        int log = -1;     // the worker's standard output and error
        std::string pending;
        std::string logTail;
        std::optional<std::size_t> current;
    };

    bool AnyAlive() const {
        for (const Worker& w : workers_) {
            if (w.pid > 0)
                return true;
        }
        return false;
    }

    bool Spawn(Worker& w) {
        w = Worker{};
        std::array<std::optional<Pipe>, 3> pipes = {MakePipe(), MakePipe(), MakePipe()};
        auto& [jobs, results, log] = pipes;
        const auto closeAll = [&](bool childEndsOnly) {
            for (auto& p : pipes) {
                if (!p)
                    continue;
                // The worker reads jobs and writes results and log.
                int& childEnd = &p == &jobs ? p->read : p->write;
                int& ownEnd = &p == &jobs ? p->write : p->read;
                CloseFd(childEnd);
                if (!childEndsOnly)
                    CloseFd(ownEnd);
            }
        };
        if (!jobs || !results || !log) {
            closeAll(false);
            return false;
        }
        const std::string folder =
            (settings_.settingsRoot / ("worker" + std::to_string(++spawned_))).string();
        std::vector<std::string> args = {Executable(), "batch", "--worker", "--worker-dir", folder};
        args.insert(args.end(), settings_.workerOptions.begin(), settings_.workerOptions.end());
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, jobs->read, STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, log->write, STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, log->write, STDERR_FILENO);
        posix_spawn_file_actions_adddup2(&actions, results->write, kResultsDescriptor);
        pid_t pid = -1;
        const int error = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        closeAll(error == 0);
        if (error != 0)
            return false;
        w.pid = pid;
        w.jobs = jobs->write;
        w.results = results->read;
        w.log = log->read;
        return true;
    }

    static std::string Executable() {
        std::error_code ec;
        const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
        return ec ? "/proc/self/exe" : exe.string();
    }

    // Gives the worker the next drawing, or tells it that there are no more.
    void Dispatch(Worker& w) {
        if (next_ >= files_.size()) {
            CloseFd(w.jobs);
            return;
        }
        w.current = next_++;
        w.logTail.clear();
        progress_.Started(files_[*w.current]);
        const nlohmann::json job = {{"file", files_[*w.current]}};
        // A worker that has died is noticed when its results channel ends.
        WriteAll(w.jobs, job.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n");
    }

    void Wait() {
        std::vector<pollfd> fds;
        std::vector<std::pair<Worker*, bool>> owners; // the worker, and whether it is its log
        for (Worker& w : workers_) {
            if (w.pid <= 0)
                continue;
            fds.push_back({w.results, POLLIN, 0});
            owners.emplace_back(&w, false);
            if (w.log >= 0) {
                fds.push_back({w.log, POLLIN, 0});
                owners.emplace_back(&w, true);
            }
        }
        const int ready = poll(fds.data(), fds.size(), kPollMilliseconds);
        progress_.Tick();
        if (ready <= 0)
            return;
        for (std::size_t i = 0; i < fds.size(); ++i) {
            if ((fds[i].revents & (POLLIN | POLLHUP | POLLERR)) == 0)
                continue;
            Worker& w = *owners[i].first;
            if (owners[i].second)
                ReadLog(w);
            else if (w.pid > 0)
                ReadResults(w);
        }
    }

    void ReadLog(Worker& w) {
        if (w.log < 0)
            return;
        const auto bytes = ReadSome(w.log);
        if (!bytes)
            return CloseFd(w.log);
        w.logTail += *bytes;
        if (w.logTail.size() > kLogTail)
            w.logTail.erase(0, w.logTail.size() - kLogTail);
    }

    void ReadResults(Worker& w) {
        const auto bytes = ReadSome(w.results);
        if (!bytes)
            return Reap(w);
        w.pending += *bytes;
        for (std::size_t end; (end = w.pending.find('\n')) != std::string::npos;) {
            const std::string line = w.pending.substr(0, end);
            w.pending.erase(0, end + 1);
            Take(w, line);
        }
    }

    void Take(Worker& w, const std::string& line) {
        if (!w.current)
            return;
        const std::size_t index = *w.current;
        FileResult result;
        try {
            result = nlohmann::json::parse(line).get<FileResult>();
        } catch (const nlohmann::json::exception&) {
            result = FailedFile(files_[index], "the worker process answered what cannot be read");
        }
        result.file = files_[index];
        Finish(index, std::move(result));
        w.current.reset();
        Dispatch(w);
    }

    void Finish(std::size_t index, FileResult result) {
        progress_.Finished(result);
        results_[index] = std::move(result);
    }

    // The worker's results channel has ended: it has gone, by its own end or by a crash.
    void Reap(Worker& w) {
        CloseFd(w.results);
        CloseFd(w.jobs);
        int status = 0;
        while (waitpid(w.pid, &status, 0) < 0 && errno == EINTR) {
        }
        while (w.log >= 0)
            ReadLog(w);
        w.pid = -1;
        if (!w.current)
            return;
        Finish(*w.current, FailedFile(files_[*w.current], DeathMessage(status, w.logTail)));
        w.current.reset();
        if (next_ < files_.size() && Spawn(w))
            Dispatch(w);
    }

    const PoolSettings& settings_;
    const std::vector<std::string>& files_;
    Progress& progress_;
    std::vector<std::optional<FileResult>> results_;
    std::vector<Worker> workers_;
    std::size_t next_ = 0;
    int spawned_ = 0;
};

} // namespace

std::vector<FileResult> RunInWorkers(const PoolSettings& settings,
                                     const std::vector<std::string>& files, Progress& progress) {
    // A worker that dies while it is being given a drawing must not take the command with it.
    signal(SIGPIPE, SIG_IGN);
    return Pool(settings, files, progress).Run();
}

} // namespace cadhost::batch
