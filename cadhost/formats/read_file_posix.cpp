#include "cadhost/formats/read_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cadhost {

namespace {

// What a file looked like: every write to it sets its modification time. (Not the change
// time: that moves too when the file is only renamed or replaced under its name, as a save of
// the drawing over it does, and the bytes read from it are still the ones the reader saw.)
struct Identity {
    off_t size = 0;
    timespec modified{};
};

Identity IdentityOf(const struct stat& st) {
    return Identity{st.st_size, st.st_mtim};
}

bool Same(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

bool Same(const Identity& a, const Identity& b) {
    return a.size == b.size && Same(a.modified, b.modified);
}

// Memory is given back in whole huge pages, so that none is split.
constexpr std::uintptr_t kGivenBackUnit = std::uintptr_t{2} << 20;

// A file smaller than this is kept whole in memory: it costs little, and its save then never
// depends on the file staying as it was read. Only a larger one, where holding it would cost
// as much as the drawing, is read again from its file.
constexpr std::size_t kKeptWhole = std::size_t{16} << 20;

} // namespace

struct FileBytes::Held {
    int fd = -1;
    Identity identity;
    ~Held() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

// A file read as the reader goes is read in pieces of this size: large enough that the reads
// cost little, small enough that what the reader gives back behind it is soon taken again.
constexpr std::size_t kReadAheadPiece = std::size_t{4} << 20;

FileBytes::FileBytes(const std::filesystem::path& file) : FileBytes(file, true) {}

FileBytes::FileBytes(const std::filesystem::path& file, AsRead) : FileBytes(file, false) {}

FileBytes::FileBytes(const std::filesystem::path& file, bool whole) : name_(file.string()) {
    auto held = std::make_unique<Held>();
    held->fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (held->fd < 0) {
        return;
    }
    struct stat st {};
    if (::fstat(held->fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        return;
    }
    held->identity = IdentityOf(st);
    size_ = static_cast<std::size_t>(st.st_size);
    Allocate(size_);
    held_ = std::move(held);
    const Outcome read = ReadOn(whole ? size_ : std::min(size_, kReadAheadPiece));
    ok_ = read != Outcome::Failed;
    if (whole) {
        // A file that shrank while it was read is read as far as it goes.
        size_ = filled_;
        held_.reset();
    }
}

FileBytes::Outcome FileBytes::ReadOn(std::size_t end) {
    while (filled_ < end) {
        const ssize_t got =
            ::pread(held_->fd, data_.get() + filled_, end - filled_, static_cast<off_t>(filled_));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            readError_ = errno;
            return Outcome::Failed;
        }
        if (got == 0) {
            return Outcome::Shorter;
        }
        filled_ += static_cast<std::size_t>(got);
    }
    return Outcome::Read;
}

qx::Status FileBytes::FillTo(std::size_t end) {
    if (!held_) {
        return filled_ >= std::min(end, size_) ? qx::Status{}
                                               : qx::Failure{"the file is no longer open"};
    }
    end = std::min(size_, std::max(end, filled_ + kReadAheadPiece));
    switch (ReadOn(end)) {
    case Outcome::Read:
        return qx::Status{};
    case Outcome::Shorter:
        return qx::Failure{"the file became shorter while it was read"};
    case Outcome::Failed:
        break;
    }
    return qx::Failure{"the file cannot be read past byte " + std::to_string(filled_) + " (" +
                       std::strerror(readError_) + ")"};
}

FileBytes::~FileBytes() = default;

dxf::Span FileBytes::Release(dxf::Span range) {
    if (!held_ || size_ < kKeptWhole || range.empty() || range.end > size_) {
        return {};
    }
    const auto base = reinterpret_cast<std::uintptr_t>(data_.get());
    const std::uintptr_t first = (base + range.begin + kGivenBackUnit - 1) & ~(kGivenBackUnit - 1);
    const std::uintptr_t last = (base + range.end) & ~(kGivenBackUnit - 1);
    if (last <= first) {
        return {};
    }
    // Private anonymous memory given back reads as zeros afterwards; the bytes come from the
    // file again when a save needs them.
    if (::madvise(reinterpret_cast<void*>(first), last - first, MADV_DONTNEED) != 0) {
        return {};
    }
    return dxf::Span{first - base, last - base};
}

qx::Status FileBytes::Reread(dxf::Span range, std::string& out) const {
    const auto changed = [this] {
        return qx::Failure{name_ + " changed on disk after it was read, so the parts of it that "
                                   "the drawing did not change can no longer be copied from it; "
                                   "save the drawing as .json, or open the file again"};
    };
    if (!held_) {
        return qx::Failure{name_ + " is no longer open"};
    }
    struct stat st {};
    if (::fstat(held_->fd, &st) != 0 || !Same(IdentityOf(st), held_->identity)) {
        return changed();
    }
    out.resize(range.end - range.begin);
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t got = ::pread(held_->fd, out.data() + done, out.size() - done,
                                    static_cast<off_t>(range.begin + done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return qx::Failure{name_ + " cannot be read again"};
        }
        if (got == 0) {
            return changed();
        }
        done += static_cast<std::size_t>(got);
    }
    return qx::Status{};
}

} // namespace cadhost
