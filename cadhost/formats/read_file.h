// Reading a drawing file's bytes with the operating system's plain reads. Each system has its
// own unit (read_file_posix.cpp, read_file_win32.cpp); the formats above see only this.
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string_view>

namespace cadhost {

// A file's bytes, read into a buffer that is not cleared first: a drawing may be large, and
// clearing or growing the buffer would cost as much as the read. (Mapping the file would save
// the copy, but a file that another program truncates meanwhile would kill the host.)
class FileBytes {
public:
    // Reads the regular file `file`; ok() is false when it is not one or cannot be read. A file
    // that shrinks while it is read is read as far as it goes.
    explicit FileBytes(const std::filesystem::path& file);
    bool ok() const { return ok_; }
    std::string_view bytes() const { return {data_.get(), size_}; }

private:
    // A buffer for `size` bytes and a terminating zero, advised to use huge pages.
    char* Allocate(std::size_t size);

    std::unique_ptr<char[]> data_;
    std::size_t size_ = 0;
    bool ok_ = false;
};

} // namespace cadhost
