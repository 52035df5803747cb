// Reading a drawing file's bytes with the operating system's plain reads. Each system has its
// own unit (read_file_posix.cpp, read_file_win32.cpp); the formats above see only this.
#pragma once

#include "cadhost/formats/dxf/source_bytes.h"

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace cadhost {

// A file's bytes, read into a buffer that is not cleared first: a drawing may be large, and
// clearing or growing the buffer would cost as much as the read. (Mapping the file would save
// the copy, but a file that another program truncates meanwhile would kill the host.)
//
// Where the system allows, the file stays open, so that a DXF reader may give back the memory
// of what it has read and a save may read it again (dxf/source_bytes.h); only a file of 16 MiB
// or more gives anything back. A read again checks first that the file is still the one that
// was read: same size, same modification time. On Windows nothing is given back.
class FileBytes final : public dxf::SourceBytes {
public:
    // Reads the regular file `file`; ok() is false when it is not one or cannot be read. A file
    // that shrinks while it is read is read as far as it goes.
    explicit FileBytes(const std::filesystem::path& file);
    // Reads only the first part of the file at once, and the rest as FillTo asks for it (on
    // Windows the whole file at once all the same). Its bytes() are then the file's size, read
    // or not.
    struct AsRead {};
    FileBytes(const std::filesystem::path& file, AsRead);
    ~FileBytes() override;
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;

    bool ok() const { return ok_; }
    std::string_view bytes() const { return {data_.get(), size_}; }

    std::string_view Bytes() const override { return bytes(); }
    dxf::Span Release(dxf::Span range) override;
    qx::Status Reread(dxf::Span range, std::string& out) const override;
    std::size_t Filled() const override { return filled_; }
    qx::Status FillTo(std::size_t end) override;

private:
    FileBytes(const std::filesystem::path& file, bool whole);
    enum class Outcome { Read, Shorter, Failed };
    // Reads on to `end`, or as far as the file goes.
    Outcome ReadOn(std::size_t end);
    // A buffer for `size` bytes and a terminating zero, advised to use huge pages.
    char* Allocate(std::size_t size);

    struct Held; // the open file, where the system keeps it
    std::string name_;
    std::unique_ptr<char[]> data_;
    std::size_t size_ = 0;
    std::size_t filled_ = 0;
    int readError_ = 0;
    bool ok_ = false;
    std::unique_ptr<Held> held_;
};

} // namespace cadhost
