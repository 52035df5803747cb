// What every export reader must give, whatever the image: a reason or names, never both, and
// the same answer when the image's first bytes send it to that reader.
#pragma once

#include "host/export_names.h"
#include "tests/fuzz/fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace qx::fuzz {

inline void CheckExportNames(std::span<const std::byte> image, const host::ExportNameList& list,
                             bool magicMatches) {
    QX_FUZZ_CHECK(list.ok() || list.names.empty());
    for (const std::string& name : list.names)
        QX_FUZZ_CHECK(name.find('\0') == std::string::npos);
    if (!magicMatches)
        return;
    const host::ExportNameList dispatched = host::ParseExportNames(image);
    QX_FUZZ_CHECK(dispatched.names == list.names && dispatched.error == list.error);
}

inline std::span<const std::byte> AsImage(const std::uint8_t* data, std::size_t size) {
    return std::as_bytes(std::span(data, size));
}

} // namespace qx::fuzz
