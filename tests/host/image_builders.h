// Small executable images built in memory, laid out after the published ELF and PE formats,
// so the readers can be tested on every layout and every corruption without a toolchain.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qx::test {

// Writes a little-endian integer of `width` bytes at `offset`, growing the image as needed.
void PutLe(std::vector<std::byte>& image, std::size_t offset, std::uint64_t value, unsigned width);

enum class ElfClass { Elf32, Elf64 };

struct ElfSymbolSpec {
    std::string name;
    std::uint8_t bind = 1;       // 0 local, 1 global, 2 weak
    std::uint8_t visibility = 0; // 0 default, 2 hidden, 3 protected
    std::uint16_t section = 1;   // 0 undefined
};

// An ELF image with section headers (null, .dynstr, .dynsym) and the given dynamic symbols
// after the null symbol. The offsets say where the parts were put.
struct ElfImage {
    std::vector<std::byte> bytes;
    std::size_t dynstrOffset = 0;
    std::size_t dynsymOffset = 0;
    std::size_t sectionHeaders = 0;
    std::size_t sectionHeaderSize = 0;
    std::size_t symbolSize = 0;
};
ElfImage BuildElf(ElfClass elfClass, const std::vector<ElfSymbolSpec>& symbols);

enum class PeKind { Pe32, Pe32Plus };

// A PE image with one section that holds the export directory, the name pointer table and
// the names.
struct PeImage {
    std::vector<std::byte> bytes;
    std::size_t peHeader = 0;
    std::size_t optionalHeader = 0;
    std::size_t exportDataDirectory = 0;
    std::size_t sectionHeader = 0;
    std::size_t exportDirectory = 0;
    std::size_t namePointers = 0;
    std::uint32_t sectionRva = 0;
    std::size_t sectionRaw = 0;
};
PeImage BuildPe(PeKind kind, const std::vector<std::string>& names);

} // namespace qx::test
