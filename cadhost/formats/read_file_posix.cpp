#include "cadhost/formats/read_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cadhost {

FileBytes::FileBytes(const std::filesystem::path& file) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        const auto size = static_cast<std::size_t>(st.st_size);
        char* data = Allocate(size);
        ok_ = true;
        while (ok_ && size_ < size) {
            const ssize_t got = ::read(fd, data + size_, size - size_);
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

} // namespace cadhost
