// What a scan makes of the combined text of one smart (paragraph or multi-line) entity.
#pragma once

#include "drawing/scan_options.h"
#include "state/pending_change.h"

#include <optional>
#include <string_view>

namespace qx {

// The entry's flag when the entity is to be listed, nothing otherwise. Smart entities are never
// changed, so only the flag depends on the options; the entry's text is the combined text.
std::optional<PendingChangeFlag> ExamineSmartText(std::string_view smartText,
                                                  const ScanOptions& options);

} // namespace qx
