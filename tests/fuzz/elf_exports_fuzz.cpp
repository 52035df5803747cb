// The ELF export reader on any bytes: bounds are checked on every offset, so nothing the image
// says may make it read outside the image.
#include "host/export_names_elf.h"
#include "tests/fuzz/export_names_checks.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto image = qx::fuzz::AsImage(data, size);
    const qx::host::ExportNameList list = qx::host::ReadElfExportNames(image);
    const bool magic = size >= 4 && std::memcmp(data,
                                                "\x7f"
                                                "ELF",
                                                4) == 0;
    qx::fuzz::CheckExportNames(image, list, magic);
    for (const std::string& name : list.names)
        QX_FUZZ_CHECK(!name.empty());
    return 0;
}
