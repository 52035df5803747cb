// What a scan looks for and what it would make of a match, copied out of the state record once
// per scan so that the examination of each entity needs no access to the record.
#pragma once

#include "text/match_options.h"

#include <cstdint>
#include <string>

namespace qx {

struct ScanOptions {
    std::string search;
    std::string replacement;
    text::MatchOptions match;
    std::uint8_t operation = 0; // an Operation code
    std::int32_t increment = 0;
    bool findOnly = false;
};

// Reads the options of the state record.
ScanOptions CurrentScanOptions();

} // namespace qx
