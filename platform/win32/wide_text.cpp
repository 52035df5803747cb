#include "platform/win32/wide_text.h"

#include <windows.h>

#include <climits>

namespace qx::platform::win32 {
namespace {

std::optional<std::wstring> Convert(std::string_view utf8, DWORD flags) {
    if (utf8.empty())
        return std::wstring();
    if (utf8.size() > static_cast<std::size_t>(INT_MAX))
        return std::nullopt;
    const int length = static_cast<int>(utf8.size());
    const int needed = MultiByteToWideChar(CP_UTF8, flags, utf8.data(), length, nullptr, 0);
    if (needed <= 0)
        return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    if (MultiByteToWideChar(CP_UTF8, flags, utf8.data(), length, wide.data(), needed) != needed)
        return std::nullopt;
    return wide;
}

} // namespace

std::optional<std::wstring> Widen(std::string_view utf8) {
    return Convert(utf8, MB_ERR_INVALID_CHARS);
}

std::wstring WidenLossy(std::string_view utf8) {
    return Convert(utf8, 0).value_or(std::wstring());
}

std::string Narrow(std::wstring_view utf16) {
    if (utf16.empty() || utf16.size() > static_cast<std::size_t>(INT_MAX))
        return {};
    const int length = static_cast<int>(utf16.size());
    const int needed =
        WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0)
        return {};
    std::string narrow(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, narrow.data(), needed, nullptr, nullptr);
    return narrow;
}

} // namespace qx::platform::win32
