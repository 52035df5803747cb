// Profile (INI) files on POSIX systems, read and written with SimpleIni.
//
// Section and key names are matched without regard to letter case, as the Windows profile API
// does. Nothing is cached: every call reads the file afresh.
#include "platform/platform.h"

// Debian's SimpleIni keeps its definitions behind SI_IMPLEMENTATION; this is the one unit that
// instantiates them. Only the 8-bit (UTF-8) class is used, so no wide conversion is needed.
#define SI_IMPLEMENTATION
#ifndef SI_NO_CONVERSION
#define SI_NO_CONVERSION
#endif
#include <SimpleIni.h>

#include <QStringDecoder>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string_view>
#include <system_error>

namespace qx::platform {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

fs::path ToPath(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

// The whole file, or nothing when it cannot be read (missing, a folder, no permission).
std::optional<std::string> ReadWholeFile(const fs::path& path) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string data{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        return std::nullopt;
    return data;
}

bool IsValidUtf8(std::string_view data) {
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString decoded =
        decoder.decode(QByteArrayView(data.data(), static_cast<qsizetype>(data.size())));
    return !decoder.hasError();
}

// True when every line is blank, a comment, a section header or a key=value pair. SimpleIni
// silently drops any other line when it writes the file back, so such a file is treated as
// damaged: it reads as empty and is never rewritten.
bool HasOnlyIniLines(std::string_view data) {
    std::istringstream lines{std::string(data)};
    std::string line;
    while (std::getline(lines, line)) {
        const auto first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos)
            continue;
        const char lead = line[first];
        if (lead == ';' || lead == '#')
            continue;
        if (lead == '[') {
            if (line.find(']', first) == std::string::npos)
                return false;
            continue;
        }
        const auto equals = line.find('=', first);
        if (equals == std::string::npos || equals == first)
            return false;
    }
    return true;
}

bool LooksLikeIni(std::string_view data) {
    if (data.starts_with(kUtf8Bom))
        data.remove_prefix(kUtf8Bom.size());
    if (data.find('\0') != std::string_view::npos)
        return false;
    return IsValidUtf8(data) && HasOnlyIniLines(data);
}

// A section, key or value that would change the file's structure when written out as is.
bool IsWritableName(std::string_view name, std::string_view forbidden) {
    if (name.empty() || name.find_first_of(forbidden) != std::string_view::npos)
        return false;
    const auto first = name.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return false;
    const char lead = name[first];
    return lead != ';' && lead != '#' && lead != '[';
}

bool IsWritableValue(std::string_view value) {
    return value.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos &&
           IsValidUtf8(value);
}

void ConfigureLikeProfileApi(CSimpleIniA& ini) {
    ini.SetUnicode(true);
    ini.SetMultiKey(false);
    ini.SetMultiLine(false);
    ini.SetSpaces(false);
}

// Writes `data` next to `target` and renames it over the target, so that a crash leaves either
// the old file or the new one, never half of one.
bool ReplaceFileAtomically(const fs::path& target, const std::string& data) {
    std::error_code ec;
    const bool existed = fs::exists(target, ec);
    struct stat original {};
    if (existed && ::stat(target.c_str(), &original) != 0)
        return false;

    fs::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = target;
        temp += ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        // 0666 lets the user's umask decide the rights of a new file, as for any other file.
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    }
    if (fd < 0)
        return false;

    const auto cleanup = [&] {
        ::close(fd);
        fs::remove(temp, ec);
        return false;
    };
    std::size_t written = 0;
    while (written < data.size()) {
        const ssize_t n = ::write(fd, data.data() + written, data.size() - written);
        if (n < 0)
            return cleanup();
        written += static_cast<std::size_t>(n);
    }
    if (existed && ::fchmod(fd, original.st_mode & 07777) != 0)
        return cleanup();
    if (::fsync(fd) != 0)
        return cleanup();
    if (::close(fd) != 0) {
        fs::remove(temp, ec);
        return false;
    }
    fs::rename(temp, target, ec);
    if (ec) {
        fs::remove(temp, ec);
        return false;
    }
    return true;
}

} // namespace

std::optional<std::string> ReadProfileString(const std::string& file, const std::string& section,
                                             const std::string& key) {
    const auto data = ReadWholeFile(ToPath(file));
    if (!data || !LooksLikeIni(*data))
        return std::nullopt;
    CSimpleIniA ini;
    ConfigureLikeProfileApi(ini);
    if (ini.LoadData(*data) < 0)
        return std::nullopt;
    const char* value = ini.GetValue(section.c_str(), key.c_str(), nullptr);
    if (value == nullptr)
        return std::nullopt;
    return std::string(value);
}

bool WriteProfileString(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& value) {
    if (!IsWritableName(section, std::string_view("]\r\n\0", 4)) ||
        !IsWritableName(key, std::string_view("=\r\n\0", 4)) || !IsWritableValue(value))
        return false;

    const fs::path path = ToPath(file);
    std::error_code ec;
    std::string existing;
    bool hadSignature = false;
    if (fs::exists(path, ec)) {
        // A read-only file stays as it is, as it would under the Windows profile API; the
        // rename below would otherwise replace it regardless of its rights.
        if (::access(path.c_str(), W_OK) != 0)
            return false;
        auto data = ReadWholeFile(path);
        if (!data || !LooksLikeIni(*data))
            return false;
        existing = std::move(*data);
        hadSignature = existing.starts_with(kUtf8Bom);
    }

    CSimpleIniA ini;
    ConfigureLikeProfileApi(ini);
    if (ini.LoadData(existing) < 0)
        return false;
    if (ini.SetValue(section.c_str(), key.c_str(), value.c_str()) < 0)
        return false;
    std::string output;
    if (ini.Save(output, hadSignature) < 0)
        return false;
    return ReplaceFileAtomically(path, output);
}

} // namespace qx::platform
