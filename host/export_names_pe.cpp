#include "host/export_names_pe.h"

#include "host/image_bytes.h"

#include <cstdint>
#include <optional>
#include <string>

namespace qx::host {
namespace {

constexpr std::uint64_t kPeOffsetField = 0x3c;
constexpr std::uint64_t kPeSignature = 0x00004550; // "PE\0\0"
constexpr std::uint64_t kCoffHeaderSize = 20;
constexpr std::uint64_t kNumberOfSections = 2; // within the COFF header
constexpr std::uint64_t kSizeOfOptionalHeader = 16;

constexpr std::uint64_t kMagicPe32 = 0x10b;
constexpr std::uint64_t kMagicPe32Plus = 0x20b;
// Within the optional header: where the count of data directories and the directories are.
constexpr std::uint64_t kRvaCountPe32 = 92;
constexpr std::uint64_t kRvaCountPe32Plus = 108;
constexpr std::uint64_t kDataDirectorySize = 8;

constexpr std::uint64_t kSectionHeaderSize = 40;
constexpr std::uint64_t kSectionVirtualSize = 8;
constexpr std::uint64_t kSectionVirtualAddress = 12;
constexpr std::uint64_t kSectionRawSize = 16;
constexpr std::uint64_t kSectionRawPointer = 20;

constexpr std::uint64_t kExportDirectorySize = 40;
constexpr std::uint64_t kExportNumberOfNames = 24;
constexpr std::uint64_t kExportAddressOfNames = 32;

// Where the bytes of an RVA lie in the file and how many follow within the same section.
struct FileRange {
    std::uint64_t offset;
    std::uint64_t available;
};

class PeReader {
public:
    PeReader(const ImageBytes& image, platform::ImageLayout layout)
        : image_(image), layout_(layout) {}

    ExportNameList Read() {
        const auto peOffset = image_.U32(kPeOffsetField);
        if (!peOffset)
            return ExportNameList::Failure("the DOS header is cut short");
        if (image_.U32(*peOffset) != kPeSignature)
            return ExportNameList::Failure("the PE signature is missing");
        const std::uint64_t coff = *peOffset + 4;
        const auto sectionCount = image_.U16(coff + kNumberOfSections);
        const auto optionalSize = image_.U16(coff + kSizeOfOptionalHeader);
        if (!sectionCount || !optionalSize)
            return ExportNameList::Failure("the COFF header is cut short");
        const std::uint64_t optional = coff + kCoffHeaderSize;
        sections_ = optional + *optionalSize;
        sectionCount_ = *sectionCount;
        if (!image_.Contains(sections_, sectionCount_ * kSectionHeaderSize))
            return ExportNameList::Failure("the section table lies outside the file");

        const auto magic = image_.U16(optional);
        if (!magic)
            return ExportNameList::Failure("the optional header is cut short");
        std::uint64_t rvaCountField = 0;
        if (*magic == kMagicPe32)
            rvaCountField = kRvaCountPe32;
        else if (*magic == kMagicPe32Plus)
            rvaCountField = kRvaCountPe32Plus;
        else
            return ExportNameList::Failure("the optional header has an unknown magic number");
        const std::uint64_t exportEntry = rvaCountField + 4;
        if (exportEntry + kDataDirectorySize > *optionalSize)
            return {}; // Too short to hold an export directory entry: nothing is exported.
        const auto rvaCount = image_.U32(optional + rvaCountField);
        const auto exportRva = image_.U32(optional + exportEntry);
        const auto exportSize = image_.U32(optional + exportEntry + 4);
        if (!rvaCount || !exportRva || !exportSize)
            return ExportNameList::Failure("the optional header is cut short");
        if (*rvaCount == 0 || *exportRva == 0 || *exportSize == 0)
            return {};
        return Names(*exportRva);
    }

private:
    ExportNameList Names(std::uint64_t exportRva) const {
        const auto directory = Map(exportRva);
        if (!directory || directory->available < kExportDirectorySize)
            return ExportNameList::Failure("the export directory lies outside the file");
        const std::uint64_t count = *image_.U32(directory->offset + kExportNumberOfNames);
        const std::uint64_t namesRva = *image_.U32(directory->offset + kExportAddressOfNames);
        if (count == 0)
            return {};
        const auto pointers = Map(namesRva);
        if (!pointers || pointers->available / 4 < count)
            return ExportNameList::Failure("the export name pointer table lies outside the file");

        ExportNameList list;
        list.names.reserve(static_cast<std::size_t>(count));
        for (std::uint64_t i = 0; i < count; ++i) {
            const std::uint64_t nameRva = *image_.U32(pointers->offset + i * 4);
            const auto name = Map(nameRva);
            auto text =
                name ? image_.CString(name->offset, name->offset + name->available) : std::nullopt;
            if (!text)
                return ExportNameList::Failure("export name " + std::to_string(i) +
                                               " lies outside the file or has no end");
            list.names.push_back(std::move(*text));
        }
        return list;
    }

    // Maps an RVA to the image through the section that holds it. In a file only the part of a
    // section that is backed by the file counts: the rest is zero-filled memory that has no
    // names. A loaded image holds each section whole at its RVA.
    std::optional<FileRange> Map(std::uint64_t rva) const {
        for (std::uint64_t i = 0; i < sectionCount_; ++i) {
            const std::uint64_t header = sections_ + i * kSectionHeaderSize;
            const std::uint64_t virtualSize = *image_.U32(header + kSectionVirtualSize);
            const std::uint64_t virtualAddress = *image_.U32(header + kSectionVirtualAddress);
            const std::uint64_t rawSize = *image_.U32(header + kSectionRawSize);
            const std::uint64_t rawPointer = *image_.U32(header + kSectionRawPointer);
            const bool loaded = layout_ == platform::ImageLayout::Loaded;
            const std::uint64_t inMemory = virtualSize == 0 ? rawSize : virtualSize;
            const std::uint64_t backed = loaded ? inMemory : std::min(inMemory, rawSize);
            if (rva < virtualAddress || rva - virtualAddress >= backed)
                continue;
            const std::uint64_t offset = loaded ? rva : rawPointer + (rva - virtualAddress);
            if (offset >= image_.size())
                return std::nullopt;
            const std::uint64_t inSection = backed - (rva - virtualAddress);
            return FileRange{offset, std::min(inSection, image_.size() - offset)};
        }
        return std::nullopt;
    }

    const ImageBytes& image_;
    platform::ImageLayout layout_;
    std::uint64_t sections_ = 0;
    std::uint64_t sectionCount_ = 0;
};

} // namespace

ExportNameList ReadPeExportNames(std::span<const std::byte> bytes, platform::ImageLayout layout) {
    const ImageBytes image(bytes);
    return PeReader(image, layout).Read();
}

} // namespace qx::host
