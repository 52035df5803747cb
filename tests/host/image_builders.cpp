#include "image_builders.h"

#include <algorithm>

namespace qx::test {

void PutLe(std::vector<std::byte>& image, std::size_t offset, std::uint64_t value, unsigned width) {
    if (image.size() < offset + width)
        image.resize(offset + width);
    for (unsigned i = 0; i < width; ++i)
        image[offset + i] = static_cast<std::byte>((value >> (8 * i)) & 0xff);
}

namespace {

void PutText(std::vector<std::byte>& image, std::size_t offset, const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i)
        PutLe(image, offset + i, static_cast<unsigned char>(text[i]), 1);
    PutLe(image, offset + text.size(), 0, 1);
}

} // namespace

ElfImage BuildElf(ElfClass elfClass, const std::vector<ElfSymbolSpec>& symbols) {
    const bool is64 = elfClass == ElfClass::Elf64;
    const unsigned word = is64 ? 8 : 4;
    ElfImage elf;
    elf.sectionHeaderSize = is64 ? 64 : 40;
    elf.symbolSize = is64 ? 24 : 16;
    auto& b = elf.bytes;

    // Identification and file header.
    PutText(b, 0,
            "\x7f"
            "ELF");
    PutLe(b, 4, is64 ? 2 : 1, 1);
    PutLe(b, 5, 1, 1); // little-endian
    PutLe(b, 6, 1, 1);
    PutLe(b, 16, 3, 2); // shared object
    PutLe(b, 18, is64 ? 62 : 3, 2);
    PutLe(b, 20, 1, 4);
    const std::size_t headerSize = is64 ? 64 : 52;

    // The string table: an empty string first, as the format requires.
    elf.dynstrOffset = headerSize;
    std::vector<std::size_t> nameOffsets;
    std::size_t at = elf.dynstrOffset;
    PutLe(b, at++, 0, 1);
    for (const auto& s : symbols) {
        nameOffsets.push_back(at - elf.dynstrOffset);
        PutText(b, at, s.name);
        at += s.name.size() + 1;
    }
    const std::size_t dynstrSize = at - elf.dynstrOffset;

    // The symbol table, the null symbol first.
    elf.dynsymOffset = (at + 7) / 8 * 8;
    const std::size_t symbolCount = symbols.size() + 1;
    PutLe(b, elf.dynsymOffset + symbolCount * elf.symbolSize - 1, 0, 1);
    for (std::size_t i = 0; i < symbols.size(); ++i) {
        const std::size_t sym = elf.dynsymOffset + (i + 1) * elf.symbolSize;
        const auto& s = symbols[i];
        const std::uint8_t info = static_cast<std::uint8_t>((s.bind << 4) | 2); // a function
        PutLe(b, sym, nameOffsets[i], 4);
        PutLe(b, sym + (is64 ? 4 : 12), info, 1);
        PutLe(b, sym + (is64 ? 5 : 13), s.visibility, 1);
        PutLe(b, sym + (is64 ? 6 : 14), s.section, 2);
        PutLe(b, sym + (is64 ? 8 : 4), 0x1000 + 16 * i, word);
    }
    const std::size_t dynsymSize = symbolCount * elf.symbolSize;

    // Section headers: null, .dynstr (1), .dynsym (2) linked to .dynstr.
    elf.sectionHeaders = (elf.dynsymOffset + dynsymSize + 7) / 8 * 8;
    const auto section = [&](std::size_t index, std::uint32_t type, std::size_t offset,
                             std::size_t size, std::uint32_t link, std::size_t entsize) {
        const std::size_t sh = elf.sectionHeaders + index * elf.sectionHeaderSize;
        PutLe(b, sh + elf.sectionHeaderSize - 1, 0, 1);
        PutLe(b, sh + 4, type, 4);
        PutLe(b, sh + (is64 ? 24 : 16), offset, word);
        PutLe(b, sh + (is64 ? 32 : 20), size, word);
        PutLe(b, sh + (is64 ? 40 : 24), link, 4);
        PutLe(b, sh + (is64 ? 56 : 36), entsize, word);
    };
    section(0, 0, 0, 0, 0, 0);
    section(1, 3, elf.dynstrOffset, dynstrSize, 0, 0);
    section(2, 11, elf.dynsymOffset, dynsymSize, 1, elf.symbolSize);

    PutLe(b, is64 ? 40 : 32, elf.sectionHeaders, word); // e_shoff
    PutLe(b, is64 ? 52 : 40, headerSize, 2);            // e_ehsize
    PutLe(b, is64 ? 58 : 46, elf.sectionHeaderSize, 2); // e_shentsize
    PutLe(b, is64 ? 60 : 48, 3, 2);                     // e_shnum
    return elf;
}

PeImage BuildPe(PeKind kind, const std::vector<std::string>& names) {
    const bool plus = kind == PeKind::Pe32Plus;
    PeImage pe;
    auto& b = pe.bytes;

    PutText(b, 0, "MZ");
    pe.peHeader = 0x80;
    PutLe(b, 0x3c, pe.peHeader, 4);
    PutText(b, pe.peHeader, "PE");
    PutLe(b, pe.peHeader + 3, 0, 1);
    const std::size_t coff = pe.peHeader + 4;
    const std::size_t optionalSize = plus ? 240 : 224;
    PutLe(b, coff, plus ? 0x8664 : 0x14c, 2);
    PutLe(b, coff + 2, 1, 2); // one section
    PutLe(b, coff + 16, optionalSize, 2);
    pe.optionalHeader = coff + 20;
    PutLe(b, pe.optionalHeader, plus ? 0x20b : 0x10b, 2);
    PutLe(b, pe.optionalHeader + (plus ? 108 : 92), 16, 4); // data directories
    pe.exportDataDirectory = pe.optionalHeader + (plus ? 112 : 96);

    // The section's contents: export directory, name pointers, names.
    pe.sectionRva = 0x1000;
    pe.sectionRaw = 0x400;
    pe.exportDirectory = pe.sectionRaw;
    pe.namePointers = pe.exportDirectory + 40;
    std::size_t text = pe.namePointers + 4 * names.size();
    PutLe(b, pe.exportDirectory + 39, 0, 1);
    PutLe(b, pe.exportDirectory + 24, names.size(), 4);
    PutLe(b, pe.exportDirectory + 32, pe.sectionRva + 40, 4);
    for (std::size_t i = 0; i < names.size(); ++i) {
        PutLe(b, pe.namePointers + 4 * i, pe.sectionRva + (text - pe.sectionRaw), 4);
        PutText(b, text, names[i]);
        text += names[i].size() + 1;
    }
    const std::size_t sectionSize = std::max<std::size_t>(text, pe.namePointers) - pe.sectionRaw;

    pe.sectionHeader = pe.optionalHeader + optionalSize;
    PutText(b, pe.sectionHeader, ".edata");
    PutLe(b, pe.sectionHeader + 8, sectionSize, 4);
    PutLe(b, pe.sectionHeader + 12, pe.sectionRva, 4);
    PutLe(b, pe.sectionHeader + 16, sectionSize, 4);
    PutLe(b, pe.sectionHeader + 20, pe.sectionRaw, 4);

    PutLe(b, pe.exportDataDirectory, pe.sectionRva, 4);
    PutLe(b, pe.exportDataDirectory + 4, 40, 4);
    b.resize(pe.sectionRaw + sectionSize);
    return pe;
}

} // namespace qx::test
