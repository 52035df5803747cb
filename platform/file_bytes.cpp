#include "platform/file_bytes.h"

#include <filesystem>
#include <fstream>
#include <limits>
#include <new>
#include <system_error>

namespace qx::platform {
namespace {

// A module image larger than this is not something we could sensibly hold in memory.
constexpr std::uintmax_t kMaxFileSize = std::uintmax_t{1} << 31;

FileBytes Failure(std::string reason) {
    return {{}, std::move(reason)};
}

} // namespace

FileBytes ReadFileBytes(const std::string& path) {
    const std::filesystem::path p(std::u8string(path.begin(), path.end()));
    std::error_code ec;
    if (!std::filesystem::is_regular_file(p, ec))
        return Failure(ec ? ec.message() : "not a regular file");
    const std::uintmax_t size = std::filesystem::file_size(p, ec);
    if (ec)
        return Failure(ec.message());
    if (size > kMaxFileSize)
        return Failure("the file is too large");

    std::ifstream in(p, std::ios::binary);
    if (!in)
        return Failure("the file cannot be opened");
    FileBytes result;
    try {
        result.bytes.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        return Failure("not enough memory to read the file");
    }
    in.read(reinterpret_cast<char*>(result.bytes.data()),
            static_cast<std::streamsize>(result.bytes.size()));
    if (in.gcount() != static_cast<std::streamsize>(result.bytes.size()))
        return Failure("the file could not be read to its end");
    return result;
}

} // namespace qx::platform
