// The views speak UTF-16 to Windows and UTF-8 to the forms: the conversion happens here, at
// the edge, and nowhere else.
#pragma once

#include <string>
#include <string_view>

namespace qx::win32 {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

} // namespace qx::win32
