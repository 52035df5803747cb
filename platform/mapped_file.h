// A file mapped into memory read-only, for parsers that look at a few places of a large file:
// only the pages they touch are read from the disk.
#pragma once

#include "platform/result.h"

#include <cstddef>
#include <span>
#include <string>

namespace qx::platform {

class MappedFile {
public:
    MappedFile() = default;
    ~MappedFile();
    MappedFile(MappedFile&& other) noexcept;
    MappedFile& operator=(MappedFile&& other) noexcept;
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    std::span<const std::byte> Bytes() const { return {data_, size_}; }

    // Maps the regular file at `path` (UTF-8); a failure says why it could not be mapped. Only
    // for files nobody shortens while they are mapped, such as a running program's own image:
    // a page past a new end would fault.
    static Result<MappedFile> Open(const std::string& path);

private:
    const std::byte* data_ = nullptr;
    std::size_t size_ = 0;
};

} // namespace qx::platform
