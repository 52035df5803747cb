// Comparing folder paths as the desktop's file system does: letters match whatever their case.
#pragma once

#include <string_view>

namespace qx::settings {

// Whether two UTF-8 paths are the same apart from the case of their letters. Letters of the
// Latin, Greek and Cyrillic alphabets fold to one case from a fixed table, so the answer never
// depends on the process locale; any other character, and any byte that is not UTF-8, must be
// equal as it stands.
bool SamePathIgnoringCase(std::string_view a, std::string_view b);

} // namespace qx::settings
