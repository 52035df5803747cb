// The exported names of an ELF executable or shared object: the defined, global or weak
// symbols of default or protected visibility in its dynamic symbol table, in table order.
#pragma once

#include "host/export_names.h"

namespace qx::host {

// Reads little-endian ELF32 and ELF64 images; big-endian images are refused with a message.
ExportNameList ReadElfExportNames(std::span<const std::byte> image);

} // namespace qx::host
