// The exported names of a PE image (PE32 or PE32+): the export directory's name pointer
// table, in table order.
#pragma once

#include "host/export_names.h"

namespace qx::host {

// `layout` says whether the sections lie where the file puts them or where the loader does.
ExportNameList ReadPeExportNames(std::span<const std::byte> image,
                                 platform::ImageLayout layout = platform::ImageLayout::File);

} // namespace qx::host
