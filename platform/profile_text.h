// The text of a profile (INI) file, read and edited line by line as the platform's profile API
// does. No I/O: the functions take the file's bytes and give values or the edited bytes, so
// they can be tested and fuzzed on their own.
//
// Reading ignores what it cannot read: a line that is neither a section header nor a key is
// passed over, and a UTF-8 signature at the start of the file is skipped. Section and key
// names match without regard to ASCII letter case; when a section or a key appears twice, the
// first one counts, for reading and for writing alike.
//
// Values come back as UTF-8: bytes that do not form UTF-8 are taken as Windows-1252, so a file
// written by the Windows build keeps its accented letters. Spaces and tabs around a value are
// dropped, and then one pair of matching quotes (single or double) around it.
//
// Writing changes one line (or inserts one, or appends a section and its key); every other
// byte, line endings included, stays as it was.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qx::platform::profile {

// The value of `key` in `section` (both UTF-8), or nothing when either is missing.
std::optional<std::string> FindValue(std::string_view fileText, std::string_view section,
                                     std::string_view key);

// The section and key names the file holds, in the order that reading finds them: each
// section once (the first of duplicates), and in it each key once. Names come back as UTF-8.
std::vector<std::pair<std::string, std::string>> ListKeys(std::string_view fileText);

// Whether a name or a value can be written so that reading gives it back unchanged. Names must
// be non-empty UTF-8 without line breaks, NUL, surrounding blanks or a leading ';', '#' or '[';
// a section name must not hold ']', a key name not '='. A value must be UTF-8 without line
// breaks or NUL.
bool IsWritableSection(std::string_view section);
bool IsWritableKey(std::string_view key);
bool IsWritableValue(std::string_view value);

// The file text with `key` in `section` set to `value`, or nothing when a name or the value
// cannot be written. The key's existing line is rewritten in place; a new key goes after the
// last key of its section; a new section goes at the end. New lines end like the file's first
// line (a line feed for a file that has none).
std::optional<std::string> WithValue(std::string_view fileText, std::string_view section,
                                     std::string_view key, std::string_view value);

} // namespace qx::platform::profile
