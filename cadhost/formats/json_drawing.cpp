// Drawing files on disk. Reading the text is in json_drawing_read.cpp, writing it in
// json_drawing_write.cpp.
#include "cadhost/formats/json_drawing.h"

#include "cadhost/formats/file_replace.h"
#include "cadhost/model/huge_pages.h"

#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace cadhost {

namespace fs = std::filesystem;

namespace {

// A file's bytes, read with plain reads into a buffer that is not cleared first: a drawing may
// be large, and clearing or growing the buffer would cost as much as the read. (Mapping the
// file would save the copy, but a file that another program truncates meanwhile would kill the
// host with SIGBUS.)
class FileBytes {
public:
    explicit FileBytes(const fs::path& file) {
        const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            return;
        }
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
            const auto size = static_cast<std::size_t>(st.st_size);
            data_ = std::make_unique_for_overwrite<char[]>(size + 1);
            AdviseHugePages(data_.get(), size);
            ok_ = true;
            while (ok_ && size_ < size) {
                const ssize_t got = ::read(fd, data_.get() + size_, size - size_);
                if (got < 0 && errno == EINTR) {
                    continue;
                }
                ok_ = got >= 0;
                if (got <= 0) {
                    break; // a file that shrank while it was read is read as far as it goes
                }
                size_ += static_cast<std::size_t>(got);
            }
        }
        ::close(fd);
    }
    bool ok() const { return ok_; }
    std::string_view bytes() const { return {data_.get(), size_}; }

private:
    std::unique_ptr<char[]> data_;
    std::size_t size_ = 0;
    bool ok_ = false;
};

} // namespace

qx::Result<Drawing> LoadDrawingFile(const fs::path& file) {
    const std::string source = file.string();
    const auto failed = [&](const std::string& why) { return qx::Failure{source + ": " + why}; };
    std::error_code ec;
    if (fs::is_directory(file, ec)) {
        return failed("is a folder, not a drawing file");
    }
    if (!fs::exists(file, ec)) {
        return failed("does not exist");
    }
    try {
        const FileBytes content(file);
        if (!content.ok()) {
            return failed("cannot be read");
        }
        return ParseDrawing(content.bytes(), source);
    } catch (const std::bad_alloc&) {
        return failed("is too large for the memory this host can have");
    }
}

std::string SaveDrawingFile(const Drawing& drawing, const fs::path& file) {
    return ReplaceFileContents(file, [&](const ByteSink& sink) { WriteDrawingJson(drawing, sink); })
        .error();
}

} // namespace cadhost
