// Profile files on POSIX systems: the bytes on disk, read whole and replaced whole. What the
// bytes mean is platform/profile_text.h's business.
#include "platform/profile_file.h"

#include "platform/profile_text.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace qx::platform {
namespace {

namespace fs = std::filesystem;

// Linux gives up on a chain of links after 40 hops; so do we.
constexpr int kMaxLinkHops = 40;

fs::path ToPath(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

// The whole file, or nothing when it cannot be read (missing, a folder, no permission).
std::optional<std::string> ReadWholeFile(const fs::path& path) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string data{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        return std::nullopt;
    return data;
}

// The file a write must replace: the path itself, or the end of the chain of symbolic links
// that starts there (which need not exist yet). Renaming over the link itself would turn it
// into a plain file and leave the file it leads to behind, unchanged.
std::optional<fs::path> FinalTarget(fs::path path) {
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        std::error_code ec;
        if (fs::symlink_status(path, ec).type() != fs::file_type::symlink)
            return path;
        const fs::path target = fs::read_symlink(path, ec);
        if (ec)
            return std::nullopt;
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return std::nullopt;
}

// A file without its owner's write right is read-only, as the Windows attribute of that name:
// the super-user could write it, but the user asked for it to stay as it is. A file the
// process may not write for any other reason is left alone too, although the rename would
// succeed in a folder the process may write.
bool IsReadOnly(const fs::path& path, const struct stat& status) {
    return (status.st_mode & S_IWUSR) == 0 || ::access(path.c_str(), W_OK) != 0;
}

// Makes a rename durable: the folder's entry is synced as well as the file. Failing that only
// weakens durability, not the file's content, so it is not reported.
void SyncFolder(const fs::path& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// Writes `data` next to `target` and renames it over the target, so that a crash leaves either
// the old file or the new one, never half of one. An existing file keeps its rights and owner.
bool ReplaceFileAtomically(const fs::path& target, const std::string& data,
                           const struct stat* original) {
    fs::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = target;
        temp += ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        // 0666 lets the user's umask decide the rights of a new file, as for any other file.
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    }
    if (fd < 0)
        return false;

    std::error_code ec;
    const auto cleanup = [&] {
        ::close(fd);
        fs::remove(temp, ec);
        return false;
    };
    std::size_t written = 0;
    while (written < data.size()) {
        const ssize_t n = ::write(fd, data.data() + written, data.size() - written);
        if (n < 0)
            return cleanup();
        written += static_cast<std::size_t>(n);
    }
    if (original != nullptr) {
        if (::fchmod(fd, original->st_mode & 07777) != 0)
            return cleanup();
        // Only the super-user can give a file away; anyone else writes files they own.
        if (::geteuid() == 0 && ::fchown(fd, original->st_uid, original->st_gid) != 0)
            return cleanup();
    }
    if (::fsync(fd) != 0)
        return cleanup();
    if (::close(fd) != 0) {
        fs::remove(temp, ec);
        return false;
    }
    fs::rename(temp, target, ec);
    if (ec) {
        fs::remove(temp, ec);
        return false;
    }
    SyncFolder(target.parent_path());
    return true;
}

} // namespace

std::optional<std::string> ReadProfileValue(const std::string& file, const std::string& section,
                                            const std::string& key) {
    const auto data = ReadWholeFile(ToPath(file));
    if (!data)
        return std::nullopt;
    return profile::FindValue(*data, section, key);
}

bool WriteProfileValue(const std::string& file, const std::string& section, const std::string& key,
                       const std::string& value) {
    const auto target = FinalTarget(ToPath(file));
    if (!target)
        return false;

    struct stat status {};
    const bool exists = ::stat(target->c_str(), &status) == 0;
    std::string existing;
    if (exists) {
        if (!S_ISREG(status.st_mode) || IsReadOnly(*target, status))
            return false;
        auto data = ReadWholeFile(*target);
        if (!data)
            return false;
        existing = std::move(*data);
    }

    const auto edited = profile::WithValue(existing, section, key, value);
    if (!edited)
        return false;
    if (exists && *edited == existing)
        return true;
    return ReplaceFileAtomically(*target, *edited, exists ? &status : nullptr);
}

} // namespace qx::platform
