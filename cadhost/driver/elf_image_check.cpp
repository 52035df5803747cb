#include "cadhost/driver/elf_image_check.h"

#include <elf.h>
#include <link.h>

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <limits>
#include <optional>
#include <vector>

namespace cadhost {

namespace {

using Header = ElfW(Ehdr);
using ProgramHeader = ElfW(Phdr);

constexpr unsigned char kNativeClass = sizeof(void*) == 8 ? ELFCLASS64 : ELFCLASS32;
constexpr unsigned char kNativeByteOrder =
    std::endian::native == std::endian::little ? ELFDATA2LSB : ELFDATA2MSB;

// The end of `count` items of `size` bytes from `offset`, or nothing when it overflows.
std::optional<std::uint64_t> EndOf(std::uint64_t offset, std::uint64_t count, std::uint64_t size) {
    if (size != 0 && count > std::numeric_limits<std::uint64_t>::max() / size) {
        return std::nullopt;
    }
    const std::uint64_t length = count * size;
    if (offset > std::numeric_limits<std::uint64_t>::max() - length) {
        return std::nullopt;
    }
    return offset + length;
}

bool Fits(std::optional<std::uint64_t> end, std::uint64_t fileSize) {
    return end && *end <= fileSize;
}

// The architecture of the running executable, which a library must share to be loaded.
std::optional<std::uint16_t> OwnMachine() {
    std::ifstream self("/proc/self/exe", std::ios::binary);
    Header header{};
    if (!self.read(reinterpret_cast<char*>(&header), sizeof header)) {
        return std::nullopt;
    }
    return header.e_machine;
}

std::string SegmentName(std::uint32_t type) {
    switch (type) {
    case PT_LOAD:
        return "loadable segment";
    case PT_DYNAMIC:
        return "dynamic segment";
    default:
        return "segment";
    }
}

std::string CutShort(std::uint64_t fileSize) {
    return " past the end of the file (" + std::to_string(fileSize) +
           " bytes): the file is incomplete";
}

std::string CheckProgramHeaders(std::ifstream& in, const Header& header, std::uint64_t fileSize) {
    if (header.e_phnum == 0) {
        return "it has no program headers, so there is nothing to load";
    }
    if (header.e_phentsize != sizeof(ProgramHeader)) {
        return "its program headers are " + std::to_string(header.e_phentsize) +
               " bytes each instead of " + std::to_string(sizeof(ProgramHeader));
    }
    if (!Fits(EndOf(header.e_phoff, header.e_phnum, sizeof(ProgramHeader)), fileSize)) {
        return "its program headers reach" + CutShort(fileSize);
    }
    std::vector<ProgramHeader> headers(header.e_phnum);
    in.seekg(static_cast<std::streamoff>(header.e_phoff));
    if (!in.read(reinterpret_cast<char*>(headers.data()),
                 static_cast<std::streamsize>(headers.size() * sizeof(ProgramHeader)))) {
        return "its program headers cannot be read";
    }
    for (std::size_t i = 0; i < headers.size(); ++i) {
        const ProgramHeader& ph = headers[i];
        if (ph.p_type == PT_NULL || ph.p_filesz == 0) {
            continue;
        }
        if (!Fits(EndOf(ph.p_offset, 1, ph.p_filesz), fileSize)) {
            return "its " + SegmentName(ph.p_type) + " " + std::to_string(i) + " (bytes " +
                   std::to_string(ph.p_offset) + " to " +
                   std::to_string(ph.p_offset + ph.p_filesz) + ") reaches" + CutShort(fileSize);
        }
    }
    return {};
}

} // namespace

std::string CheckElfImage(const std::filesystem::path& file) {
    std::error_code ec;
    const std::uint64_t fileSize = std::filesystem::file_size(file, ec);
    if (ec) {
        return "it cannot be read (" + ec.message() + ")";
    }
    std::ifstream in(file, std::ios::binary);
    Header header{};
    if (!in) {
        return "it cannot be opened";
    }
    if (fileSize < sizeof header || !in.read(reinterpret_cast<char*>(&header), sizeof header)) {
        return "it is too short to be a library (" + std::to_string(fileSize) + " bytes)";
    }
    if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0) {
        return "it is not an ELF library";
    }
    if (header.e_ident[EI_CLASS] != kNativeClass) {
        return std::string("it is a ") + (header.e_ident[EI_CLASS] == ELFCLASS32 ? "32" : "64") +
               "-bit library; this host is " + (kNativeClass == ELFCLASS32 ? "32" : "64") + "-bit";
    }
    if (header.e_ident[EI_DATA] != kNativeByteOrder) {
        return "its byte order is not this machine's";
    }
    if (header.e_type != ET_DYN) {
        return "it is not a shared library";
    }
    if (const auto machine = OwnMachine(); machine && header.e_machine != *machine) {
        return "it is built for another processor (ELF machine " +
               std::to_string(header.e_machine) + ", this host is " + std::to_string(*machine) +
               ")";
    }
    if (header.e_ehsize != sizeof(Header)) {
        return "its file header has the wrong size";
    }
    if (std::string problem = CheckProgramHeaders(in, header, fileSize); !problem.empty()) {
        return problem;
    }
    // The loader does not need the section headers, but a table that lies past the end means
    // the file lost its tail, and the rest of it cannot be trusted either.
    if (header.e_shoff != 0 &&
        !Fits(EndOf(header.e_shoff, header.e_shnum, header.e_shentsize), fileSize)) {
        return "its section header table reaches" + CutShort(fileSize);
    }
    return {};
}

} // namespace cadhost
