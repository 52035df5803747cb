// UTF-8 to and from the UTF-16 of the Win32 "W" functions. The platform layer's interface is
// UTF-8; only its Win32 implementation sees wide texts.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qx::platform::win32 {

// The UTF-16 form of a UTF-8 text, or nothing when the text is not valid UTF-8.
std::optional<std::wstring> Widen(std::string_view utf8);

// As Widen, but a malformed sequence becomes U+FFFD, for texts that are only shown.
std::wstring WidenLossy(std::string_view utf8);

// The UTF-8 form of a UTF-16 text; unpaired surrogates become U+FFFD.
std::string Narrow(std::wstring_view utf16);

} // namespace qx::platform::win32
