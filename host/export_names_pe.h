// The exported names of a PE image (PE32 or PE32+): the export directory's name pointer
// table, in table order.
#pragma once

#include "host/export_names.h"

namespace qx::host {

ExportNameList ReadPeExportNames(std::span<const std::byte> image);

} // namespace qx::host
