// Reading a whole file into memory, for parsers that work on bytes.
#pragma once

#include "platform/result.h"

#include <cstddef>
#include <string>
#include <vector>

namespace qx::platform {

// Reads the regular file at `path` (UTF-8). Never throws; a failure says why the file could
// not be read.
Result<std::vector<std::byte>> ReadFileBytes(const std::string& path);

} // namespace qx::platform
