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

qx::Failure Failed(std::string reason) {
    return qx::Failure{std::move(reason)};
}

} // namespace

Result<std::vector<std::byte>> ReadFileBytes(const std::string& path) {
    const std::filesystem::path p(std::u8string(path.begin(), path.end()));
    std::error_code ec;
    if (!std::filesystem::is_regular_file(p, ec))
        return Failed(ec ? ec.message() : "not a regular file");
    const std::uintmax_t size = std::filesystem::file_size(p, ec);
    if (ec)
        return Failed(ec.message());
    if (size > kMaxFileSize)
        return Failed("the file is too large");

    std::ifstream in(p, std::ios::binary);
    if (!in)
        return Failed("the file cannot be opened");
    std::vector<std::byte> bytes;
    try {
        bytes.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        return Failed("not enough memory to read the file");
    }
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (in.gcount() != static_cast<std::streamsize>(bytes.size()))
        return Failed("the file could not be read to its end");
    return bytes;
}

} // namespace qx::platform
