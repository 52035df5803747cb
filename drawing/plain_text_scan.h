// What a scan makes of one plain text entity: whether the operation concerns it and, if so,
// the entry's text, flag and count.
#pragma once

#include "drawing/scan_options.h"
#include "host/host_types.h"
#include "state/pending_change.h"

#include <cstdint>
#include <optional>
#include <string>

namespace qx {

struct PlainTextFinding {
    std::string newstr;
    PendingChangeFlag flag = PendingChangeFlag::AllOK;
    std::int32_t numChanges = 0;
};

// Nothing when the operation does not concern the text.
std::optional<PlainTextFinding> ExaminePlainText(const host::str255& text,
                                                 const ScanOptions& options);

} // namespace qx
