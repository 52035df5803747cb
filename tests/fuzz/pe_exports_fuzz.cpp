// The PE export reader on any bytes: bounds are checked on every offset, so nothing the image
// says may make it read outside the image.
#include "host/export_names_pe.h"
#include "tests/fuzz/export_names_checks.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto image = qx::fuzz::AsImage(data, size);
    const qx::host::ExportNameList list = qx::host::ReadPeExportNames(image);
    const bool magic = size >= 2 && std::memcmp(data, "MZ", 2) == 0;
    qx::fuzz::CheckExportNames(image, list, magic);
    return 0;
}
