// Checking a shared library before the platform loader maps it. The loader trusts the file's
// headers: a library cut short (an interrupted copy, a full disk) makes it map pages past the
// end of the file, and the first touch of such a page kills the process with SIGBUS instead of
// giving an error.
#pragma once

#include <filesystem>
#include <string>

namespace cadhost {

// Empty when the file is a complete ELF shared library of this machine's class, byte order and
// architecture: its program headers and every segment they describe, and its section header
// table, lie within the file. Otherwise why it is not, in words for the user.
std::string CheckElfImage(const std::filesystem::path& file);

} // namespace cadhost
