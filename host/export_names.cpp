#include "host/export_names.h"

#include "host/export_names_elf.h"
#include "host/export_names_pe.h"
#include "platform/mapped_file.h"

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

ExportNameList ParseExportNames(std::span<const std::byte> image) {
    if (StartsWith(image, "\x7f"
                          "ELF"))
        return ReadElfExportNames(image);
    if (StartsWith(image, "MZ"))
        return ReadPeExportNames(image);
    return ExportNameList::Failure("it is neither an ELF nor a PE image");
}

ExportNameList ReadExportNames(const std::string& file) {
    // The host's image is large (debug information, resources) and its export tables are a
    // small part of it: mapped, only the pages the reader looks at are read. A running
    // program's image cannot be shortened under us.
    const auto contents = platform::MappedFile::Open(file);
    if (!contents)
        return ExportNameList::Failure("cannot read \"" + file + "\": " + contents.error());
    ExportNameList list = ParseExportNames(contents->Bytes());
    if (!list.ok())
        list.error = "cannot read the exports of \"" + file + "\": " + list.error;
    return list;
}

} // namespace qx::host
