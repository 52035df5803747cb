// The export names of an executable image, in the order of the image's own table.
#pragma once

#include "platform/module_image.h"

#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace qx::host {

struct ExportNameList {
    std::vector<std::string> names;
    // Why the names could not be read; empty when they were.
    std::string error;

    bool ok() const { return error.empty(); }
    static ExportNameList Failure(std::string why) { return {{}, std::move(why)}; }
};

// Reads an ELF or a PE image, whichever its first bytes say it is. A loaded layout is known
// only for PE images.
ExportNameList ParseExportNames(std::span<const std::byte> image,
                                platform::ImageLayout layout = platform::ImageLayout::File);

// Reads the export names of the module file at `file` (UTF-8 path). An unreadable file or an
// image of an unknown kind gives an error that names the file and the reason.
ExportNameList ReadExportNames(const std::string& file);

} // namespace qx::host
