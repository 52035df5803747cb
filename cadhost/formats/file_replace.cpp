#include "cadhost/formats/file_replace.h"

#include "cadhost/formats/file_replace_os.h"

#include <charconv>

namespace cadhost {

namespace fs = std::filesystem;

std::string TemporaryNameFor(const fs::path& file, long pid, unsigned random) {
    char hex[16];
    const auto end = std::to_chars(hex, hex + sizeof hex, random, 16).ptr;
    return "." + file.filename().string() + ".tmp-" + std::to_string(pid) + "-" +
           std::string(hex, end);
}

bool IsStaleTemporaryFile(const fs::path& file, const fs::path& name) {
    const std::string prefix = "." + file.filename().string() + ".tmp-";
    const std::string candidate = name.filename().string();
    if (candidate.rfind(prefix, 0) != 0) {
        return false;
    }
    // What follows the prefix must be "PID-HEX", so that a user's own file that merely starts
    // alike is never touched.
    const std::string_view rest = std::string_view(candidate).substr(prefix.size());
    long pid = 0;
    const auto [pidEnd, pidError] = std::from_chars(rest.data(), rest.data() + rest.size(), pid);
    if (pidError != std::errc{} || pid <= 0 || pidEnd == rest.data() + rest.size() ||
        *pidEnd != '-') {
        return false;
    }
    const std::string_view random = rest.substr(static_cast<std::size_t>(pidEnd - rest.data()) + 1);
    if (random.empty() || random.find_first_not_of("0123456789abcdef") != std::string_view::npos) {
        return false;
    }
    std::error_code ec;
    if (!fs::is_regular_file(fs::symlink_status(name, ec))) {
        return false;
    }
    if (pid != CurrentProcessId() && ProcessIsGone(pid)) {
        return true;
    }
    const auto written = fs::last_write_time(name, ec);
    return !ec && fs::file_time_type::clock::now() - written > kStaleTemporaryAge;
}

void RemoveStaleTemporaryFiles(const fs::path& target, const fs::path& folder) {
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (IsStaleTemporaryFile(target, it->path())) {
            std::error_code ignored;
            fs::remove(it->path(), ignored);
        }
    }
}

qx::Status ReplaceFileContents(const fs::path& file, std::string_view bytes) {
    return ReplaceFileContents(file, [bytes](const ByteSink& sink) {
        sink(bytes);
        return qx::Status{};
    });
}

} // namespace cadhost
