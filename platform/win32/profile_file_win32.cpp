// Profile files on Windows: the platform's own profile API, so that the macro reads and writes
// its settings exactly as every other program of the desktop does. The API keeps unknown
// lines, takes the first of duplicate sections and keys, and reads a file without a signature
// in the system code page.
#include "platform/profile_file.h"

#include "platform/profile_text.h"
#include "platform/win32/wide_text.h"

#include <windows.h>

namespace qx::platform {
namespace {

using win32::Narrow;
using win32::Widen;

// What the API gives back for a key that is missing. It cannot be a value: the API never
// returns a control character that a profile file could hold in a value, and values written
// by this layer hold none.
constexpr wchar_t kMissing[] = L"\x1f\x1eqx-missing\x1e\x1f";

} // namespace

std::optional<std::string> ReadProfileValue(const std::string& file, const std::string& section,
                                            const std::string& key) {
    const auto wideFile = Widen(file);
    const auto wideSection = Widen(section);
    const auto wideKey = Widen(key);
    if (!wideFile || !wideSection || !wideKey || wideSection->empty() || wideKey->empty())
        return std::nullopt;
    std::wstring buffer(256, L'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length =
            GetPrivateProfileStringW(wideSection->c_str(), wideKey->c_str(), kMissing,
                                     buffer.data(), size, wideFile->c_str());
        // A value that fills the buffer may have been cut short: ask again with more room.
        if (length + 1 < size) {
            buffer.resize(length);
            break;
        }
        buffer.resize(buffer.size() * 2);
    }
    if (buffer == kMissing)
        return std::nullopt;
    return Narrow(buffer);
}

bool WriteProfileValue(const std::string& file, const std::string& section, const std::string& key,
                       const std::string& value) {
    if (!profile::IsWritableSection(section) || !profile::IsWritableKey(key) ||
        !profile::IsWritableValue(value))
        return false;
    const auto wideFile = Widen(file);
    const auto wideSection = Widen(section);
    const auto wideKey = Widen(key);
    const auto wideValue = Widen(value);
    if (!wideFile || !wideSection || !wideKey || !wideValue)
        return false;
    return WritePrivateProfileStringW(wideSection->c_str(), wideKey->c_str(), wideValue->c_str(),
                                      wideFile->c_str()) != 0;
}

} // namespace qx::platform
