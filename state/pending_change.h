// One found entity of a run, and the list of them.
#pragma once

#include "host/host_types.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qx {

// The numbering matters: the list is sorted by it.
enum class PendingChangeFlag : std::uint8_t {
    AllOK = 0,
    LenError = 1,
    ChgdLenError = 2,
    SmartEnt = 3,
    FindOnly = 4,
    FindOnlySmartEnt = 5,
    SmartEntConfirmed = 6,
    ChgLenErrorConfirmed = 7,
};

struct PendingChangeType {
    host::lgl_addr adr;
    std::string newstr;
    std::string lyrname; // as the host names the layer (Windows-1252); a list may be long
    bool lyrLocked = false;
    PendingChangeFlag Flag = PendingChangeFlag::AllOK;
    std::int32_t NumChanges = 0;
};

using PendingList = std::vector<PendingChangeType>;
using lglArray = std::vector<host::lgl_addr>;

} // namespace qx
