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
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}

MappedFile& MappedFile::operator=(MappedFile&& other) noexcept {
    if (this != &other) {
        this->~MappedFile();
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
    }
    return *this;
}

Result<MappedFile> MappedFile::Open(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return Failure{std::strerror(errno)};
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return Failure{"not a regular file"};
    }
    MappedFile file;
    const auto size = static_cast<std::size_t>(st.st_size);
    if (size == 0) {
        close(fd);
        return file;
    }
    void* data = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    const int mapError = errno;
    close(fd); // the mapping keeps the file open
    if (data == MAP_FAILED)
        return Failure{std::strerror(mapError)};
    file.data_ = static_cast<const std::byte*>(data);
    file.size_ = size;
    return file;
}

} // namespace qx::platform
