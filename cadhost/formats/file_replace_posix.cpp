// Replacing a file on POSIX systems: a temporary file beside it, flushed, renamed over it, and
// the folder flushed after.
#include "cadhost/formats/file_replace.h"

#include "cadhost/formats/file_replace_os.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cadhost {

long CurrentProcessId() {
    return static_cast<long>(::getpid());
}

bool ProcessIsGone(long pid) {
    return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

namespace {

namespace fs = std::filesystem;

// As many links as the kernel follows before it gives up with ELOOP.
constexpr int kMaxLinks = 40;

std::string SystemError(int error) {
    return std::strerror(error);
}

// A file descriptor that is closed when it goes out of scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now, so that an error of the close itself (a late write error) can be seen.
    int Close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

struct Target {
    fs::path path; // the file that is replaced: the end of a chain of links
    std::string error;
};

// Follows symbolic links to the file they lead to, which need not exist yet.
Target FollowLinks(const fs::path& file) {
    fs::path path = file;
    for (int hops = 0; hops <= kMaxLinks; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            return {path, {}};
        }
        std::error_code ec;
        const fs::path to = fs::read_symlink(path, ec);
        if (ec) {
            return {path, "its symbolic link cannot be read (" + ec.message() + ")"};
        }
        path = to.is_absolute() ? to : path.parent_path() / to;
    }
    return {path, "it is a chain of more than " + std::to_string(kMaxLinks) + " symbolic links"};
}

// Why the existing file must not be replaced, or empty when it may be.
std::string RefusalFor(const fs::path& target, const struct stat& st) {
    if (S_ISDIR(st.st_mode)) {
        return "it is a folder";
    }
    if (!S_ISREG(st.st_mode)) {
        return "it is not a regular file";
    }
    // The mode bits decide, not the process's rights: root may write anything, but a file that
    // someone made read-only must not be replaced behind their back.
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        return "the file is read-only";
    }
    // Renaming over a file needs no right on the file itself, so a file of another user that
    // this user may not write is refused here.
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        const int error = errno;
        return error == EROFS ? "the file system is read-only"
                              : "this user may not write the file (" + SystemError(error) + ")";
    }
    return {};
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Flushes the folder, so that a rename in it survives a power cut.
bool SyncFolder(const fs::path& folder) {
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return dir.valid() && ::fsync(dir.get()) == 0;
}

} // namespace

qx::Status ReplaceFileContents(const fs::path& file, const ContentWriter& write) {
    const std::string source = file.string();
    const Target target = FollowLinks(file);
    if (!target.error.empty()) {
        return qx::Failure{source + ": cannot be saved: " + target.error};
    }
    struct stat old {};
    const bool exists = ::stat(target.path.c_str(), &old) == 0;
    const std::string unchanged = exists ? "; the old file is unchanged" : "";
    if (exists) {
        const std::string refusal = RefusalFor(target.path, old);
        if (!refusal.empty()) {
            return qx::Failure{source + ": cannot be saved: " + refusal + unchanged};
        }
    }
    const fs::path folder = target.path.has_parent_path() ? target.path.parent_path() : ".";
    RemoveStaleTemporaryFiles(target.path, folder);

    const fs::path temp =
        folder / TemporaryNameFor(target.path, CurrentProcessId(), std::random_device{}());
    FileDescriptor out(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!out.valid()) {
        const int error = errno;
        return qx::Failure{source + ": cannot be saved, the folder does not take the new file " +
                           temp.filename().string() + " (" + SystemError(error) + ")" + unchanged};
    }
    const auto fail = [&](const std::string& what, int error) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return qx::Failure{source + ": cannot be saved, " + what + " failed (" +
                           SystemError(error) + ")" + unchanged};
    };
    // The new file keeps the permission bits of the one it replaces; the owner cannot be kept
    // by an ordinary user, so it is left to the system.
    const std::string tempName = temp.filename().string();
    if (exists && ::fchmod(out.get(), old.st_mode & 07777) != 0) {
        const int error = errno;
        return fail("setting the permissions of " + tempName, error);
    }
    // After the first failed write the rest is not written; the failure is reported once the
    // writer is done.
    int writeError = 0;
    const qx::Status made = write([&](std::string_view bytes) {
        if (writeError == 0 && !WriteAll(out.get(), bytes)) {
            writeError = errno != 0 ? errno : EIO;
        }
    });
    if (writeError != 0) {
        return fail("writing " + tempName, writeError);
    }
    if (!made) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return qx::Failure{source + ": cannot be saved: " + made.error() + unchanged};
    }
    if (::fsync(out.get()) != 0) {
        const int error = errno;
        return fail("flushing " + tempName + " to the disk", error);
    }
    if (out.Close() != 0) {
        const int error = errno;
        return fail("closing " + tempName, error);
    }
    if (::rename(temp.c_str(), target.path.c_str()) != 0) {
        const int error = errno;
        return fail("renaming " + tempName + " over the file", error);
    }
    if (!SyncFolder(folder)) {
        const int error = errno;
        return qx::Failure{source + ": was saved, but flushing its folder to the disk failed (" +
                           SystemError(error) + "); a power cut now could lose the save"};
    }
    return qx::Status{};
}

} // namespace cadhost
