#include "host/export_names.h"

#include "host/export_names_elf.h"
#include "host/export_names_pe.h"
#include "platform/module_image.h"

#include <algorithm>
#include <array>

namespace qx::host {
namespace {

bool StartsWith(std::span<const std::byte> image, std::string_view magic) {
    return image.size() >= magic.size() &&
           std::equal(magic.begin(), magic.end(), image.begin(),
                      [](char m, std::byte b) { return static_cast<std::byte>(m) == b; });
}

} // namespace

ExportNameList ParseExportNames(std::span<const std::byte> image, platform::ImageLayout layout) {
    if (StartsWith(image, "\x7f"
                          "ELF") &&
        layout == platform::ImageLayout::File)
        return ReadElfExportNames(image);
    if (StartsWith(image, "MZ"))
        return ReadPeExportNames(image, layout);
    return ExportNameList::Failure("it is neither an ELF nor a PE image");
}

ExportNameList ReadExportNames(const std::string& file) {
    // The host's image is large (debug information, resources) and its export tables are a
    // small part of it: mapped, only the pages the reader looks at are read. A running
    // program's image cannot be shortened under us.
    const platform::ModuleImage contents = platform::ModuleImage::Open(file);
    if (!contents.ok())
        return ExportNameList::Failure("cannot read \"" + file + "\": " + contents.Error());
    ExportNameList list = ParseExportNames(contents.Bytes(), contents.Layout());
    if (!list.ok())
        list.error = "cannot read the exports of \"" + file + "\": " + list.error;
    return list;
}

} // namespace qx::host
