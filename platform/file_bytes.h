// Reading a whole file into memory, for parsers that work on bytes.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace qx::platform {

struct FileBytes {
    std::vector<std::byte> bytes;
    // Why the file could not be read; empty when it was.
    std::string error;

    bool ok() const { return error.empty(); }
};

// Reads the regular file at `path` (UTF-8). Never throws; a failure comes back as `error`.
FileBytes ReadFileBytes(const std::string& path);

} // namespace qx::platform
