#include "platform/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace qx::platform {

MappedFile::~MappedFile() {
    if (data_ != nullptr && size_ > 0)
        munmap(const_cast<std::byte*>(data_), size_);
}

MappedFile::MappedFile(MappedFile&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)),
      error_(std::move(other.error_)) {}

MappedFile& MappedFile::operator=(MappedFile&& other) noexcept {
    if (this != &other) {
        this->~MappedFile();
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
        error_ = std::move(other.error_);
    }
    return *this;
}

MappedFile MappedFile::Open(const std::string& path) {
    MappedFile file;
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        file.error_ = std::strerror(errno);
        return file;
    }
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        file.error_ = "not a regular file";
        close(fd);
        return file;
    }
    file.size_ = static_cast<std::size_t>(st.st_size);
    if (file.size_ == 0) {
        close(fd);
        return file;
    }
    void* data = mmap(nullptr, file.size_, PROT_READ, MAP_PRIVATE, fd, 0);
    const int mapError = errno;
    close(fd); // the mapping keeps the file open
    if (data == MAP_FAILED) {
        file.size_ = 0;
        file.error_ = std::strerror(mapError);
        return file;
    }
    file.data_ = static_cast<const std::byte*>(data);
    return file;
}

} // namespace qx::platform
