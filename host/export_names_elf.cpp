#include "host/export_names_elf.h"

#include "host/image_bytes.h"

#include <cstdint>
#include <optional>
#include <string>

namespace qx::host {
namespace {

// Field offsets of the two ELF classes. Only what the export reader needs is named.
struct ElfLayout {
    unsigned word; // size of an address or offset field
    // File header.
    std::uint64_t headerSize, phoff, shoff, phentsize, phnum, shentsize, shnum;
    // Section header.
    std::uint64_t shdrSize, shType, shOffset, shSize, shLink, shEntsize;
    // Program header.
    std::uint64_t phdrSize, phType, phOffset, phVaddr, phFilesz;
    // Symbol.
    std::uint64_t symSize, stName, stInfo, stOther, stShndx;
    // Dynamic entry.
    std::uint64_t dynSize;
};

constexpr ElfLayout kElf32{
    .word = 4,
    .headerSize = 52,
    .phoff = 28,
    .shoff = 32,
    .phentsize = 42,
    .phnum = 44,
    .shentsize = 46,
    .shnum = 48,
    .shdrSize = 40,
    .shType = 4,
    .shOffset = 16,
    .shSize = 20,
    .shLink = 24,
    .shEntsize = 36,
    .phdrSize = 32,
    .phType = 0,
    .phOffset = 4,
    .phVaddr = 8,
    .phFilesz = 16,
    .symSize = 16,
    .stName = 0,
    .stInfo = 12,
    .stOther = 13,
    .stShndx = 14,
    .dynSize = 8,
};
constexpr ElfLayout kElf64{
    .word = 8,
    .headerSize = 64,
    .phoff = 32,
    .shoff = 40,
    .phentsize = 54,
    .phnum = 56,
    .shentsize = 58,
    .shnum = 60,
    .shdrSize = 64,
    .shType = 4,
    .shOffset = 24,
    .shSize = 32,
    .shLink = 40,
    .shEntsize = 56,
    .phdrSize = 56,
    .phType = 0,
    .phOffset = 8,
    .phVaddr = 16,
    .phFilesz = 32,
    .symSize = 24,
    .stName = 0,
    .stInfo = 4,
    .stOther = 5,
    .stShndx = 6,
    .dynSize = 16,
};

constexpr std::uint8_t kClass32 = 1;
constexpr std::uint8_t kClass64 = 2;
constexpr std::uint8_t kLittleEndian = 1;
constexpr std::uint8_t kBigEndian = 2;

constexpr std::uint64_t kShtStrtab = 3;
constexpr std::uint64_t kShtDynsym = 11;
constexpr std::uint64_t kShnUndef = 0;

constexpr std::uint64_t kPtLoad = 1;
constexpr std::uint64_t kPtDynamic = 2;

constexpr std::int64_t kDtNull = 0;
constexpr std::int64_t kDtHash = 4;
constexpr std::int64_t kDtStrtab = 5;
constexpr std::int64_t kDtSymtab = 6;
constexpr std::int64_t kDtStrsz = 10;
constexpr std::int64_t kDtSyment = 11;
constexpr std::int64_t kDtGnuHash = 0x6ffffef5;

constexpr std::uint64_t kBindGlobal = 1;
constexpr std::uint64_t kBindWeak = 2;
constexpr std::uint64_t kVisDefault = 0;
constexpr std::uint64_t kVisProtected = 3;

// A dynamic symbol table and its string table, as file ranges.
struct SymbolTable {
    std::uint64_t offset = 0;
    std::uint64_t count = 0;
    std::uint64_t entsize = 0;
    std::uint64_t strOffset = 0;
    std::uint64_t strSize = 0;
};

// Either a symbol table or the reason there is none.
struct TableSearch {
    std::optional<SymbolTable> table;
    std::string error;
};

TableSearch Fail(std::string why) {
    return {std::nullopt, std::move(why)};
}

class ElfReader {
public:
    ElfReader(const ImageBytes& image, const ElfLayout& layout) : image_(image), l_(layout) {}

    ExportNameList Read() const {
        if (!image_.Contains(0, l_.headerSize))
            return ExportNameList::Failure("the ELF header is cut short");
        TableSearch search = FromSectionHeaders();
        if (!search.table && search.error.empty())
            search = FromDynamicSegment();
        if (!search.error.empty())
            return ExportNameList::Failure(search.error);
        if (!search.table)
            return {}; // A program without dynamic symbols exports nothing.
        return Names(*search.table);
    }

private:
    std::optional<std::uint64_t> Word(std::uint64_t offset) const {
        return image_.Uint(offset, l_.word);
    }

    // The table the section headers name. No error and no table means there are no
    // section headers or no dynamic symbol section.
    TableSearch FromSectionHeaders() const {
        const auto shoff = Word(l_.shoff);
        const auto shentsize = image_.U16(l_.shentsize);
        auto shnum = image_.U16(l_.shnum);
        if (!shoff || !shentsize || !shnum)
            return Fail("the ELF header is cut short");
        if (*shoff == 0)
            return {};
        if (*shentsize < l_.shdrSize)
            return Fail("the section headers have an invalid size");
        // With very many sections the count lives in the first section header.
        if (*shnum == 0) {
            shnum = SectionField(*shoff, *shentsize, 0, l_.shSize);
            if (!shnum)
                return Fail("the section header table lies outside the file");
        }
        const auto tableSize = CheckedMul(*shnum, *shentsize);
        if (!tableSize || !image_.Contains(*shoff, *tableSize))
            return Fail("the section header table lies outside the file");

        for (std::uint64_t i = 0; i < *shnum; ++i) {
            if (SectionField(*shoff, *shentsize, i, l_.shType, 4) != kShtDynsym)
                continue;
            return DynsymSection(*shoff, *shentsize, *shnum, i);
        }
        return {};
    }

    TableSearch DynsymSection(std::uint64_t shoff, std::uint64_t shentsize, std::uint64_t shnum,
                              std::uint64_t index) const {
        const auto offset = SectionField(shoff, shentsize, index, l_.shOffset);
        const auto size = SectionField(shoff, shentsize, index, l_.shSize);
        const auto entsize = SectionField(shoff, shentsize, index, l_.shEntsize);
        const auto link = SectionField(shoff, shentsize, index, l_.shLink, 4);
        if (!offset || !size || !entsize || !link)
            return Fail("the dynamic symbol section header is cut short");
        if (*entsize < l_.symSize)
            return Fail("the dynamic symbols have an invalid size");
        if (!image_.Contains(*offset, *size))
            return Fail("the dynamic symbol table lies outside the file");
        if (*link == 0 || *link >= shnum ||
            SectionField(shoff, shentsize, *link, l_.shType, 4) != kShtStrtab)
            return Fail("the dynamic symbol table has no valid string table");
        const auto strOffset = SectionField(shoff, shentsize, *link, l_.shOffset);
        const auto strSize = SectionField(shoff, shentsize, *link, l_.shSize);
        if (!strOffset || !strSize || !image_.Contains(*strOffset, *strSize))
            return Fail("the dynamic string table lies outside the file");
        return {SymbolTable{*offset, *size / *entsize, *entsize, *strOffset, *strSize}, {}};
    }

    std::optional<std::uint64_t> SectionField(std::uint64_t shoff, std::uint64_t shentsize,
                                              std::uint64_t index, std::uint64_t field,
                                              unsigned width = 0) const {
        const auto base = CheckedMul(index, shentsize);
        const auto at = base ? CheckedAdd(shoff, *base) : std::nullopt;
        const auto fieldAt = at ? CheckedAdd(*at, field) : std::nullopt;
        if (!fieldAt)
            return std::nullopt;
        return image_.Uint(*fieldAt, width == 0 ? l_.word : width);
    }

    // Stripped images may lack section headers; the loader's own view, the dynamic segment,
    // still leads to the symbols.
    TableSearch FromDynamicSegment() const {
        const auto phoff = Word(l_.phoff);
        const auto phentsize = image_.U16(l_.phentsize);
        const auto phnum = image_.U16(l_.phnum);
        if (!phoff || !phentsize || !phnum)
            return Fail("the ELF header is cut short");
        if (*phoff == 0 || *phnum == 0)
            return {};
        if (*phentsize < l_.phdrSize || !image_.Contains(*phoff, *phnum * *phentsize))
            return Fail("the program header table lies outside the file");

        std::optional<std::uint64_t> dynamicOffset, dynamicSize;
        for (std::uint64_t i = 0; i < *phnum; ++i) {
            const std::uint64_t at = *phoff + i * *phentsize;
            if (image_.U32(at + l_.phType) != kPtDynamic)
                continue;
            dynamicOffset = Word(at + l_.phOffset);
            dynamicSize = Word(at + l_.phFilesz);
            break;
        }
        if (!dynamicOffset)
            return {};
        if (!dynamicSize || !image_.Contains(*dynamicOffset, *dynamicSize))
            return Fail("the dynamic segment lies outside the file");

        std::optional<std::uint64_t> hash, gnuHash, strtab, symtab, strsz, syment;
        for (std::uint64_t at = *dynamicOffset; at + l_.dynSize <= *dynamicOffset + *dynamicSize;
             at += l_.dynSize) {
            const auto tag = Word(at);
            const auto value = Word(at + l_.word);
            if (!tag || !value)
                break;
            const auto signedTag = static_cast<std::int64_t>(*tag);
            if (signedTag == kDtNull)
                break;
            if (signedTag == kDtHash)
                hash = value;
            else if (signedTag == kDtGnuHash)
                gnuHash = value;
            else if (signedTag == kDtStrtab)
                strtab = value;
            else if (signedTag == kDtSymtab)
                symtab = value;
            else if (signedTag == kDtStrsz)
                strsz = value;
            else if (signedTag == kDtSyment)
                syment = value;
        }
        if (!symtab || !strtab || !strsz)
            return {};

        const auto symOffset = FileOffset(*phoff, *phentsize, *phnum, *symtab);
        const auto strOffset = FileOffset(*phoff, *phentsize, *phnum, *strtab);
        if (!symOffset || !strOffset || !image_.Contains(*strOffset, *strsz))
            return Fail("the dynamic symbol table lies outside the file");
        const std::uint64_t entsize = syment.value_or(l_.symSize);
        if (entsize < l_.symSize)
            return Fail("the dynamic symbols have an invalid size");

        std::optional<std::uint64_t> count;
        if (hash) {
            const auto hashOffset = FileOffset(*phoff, *phentsize, *phnum, *hash);
            count = hashOffset ? image_.U32(*hashOffset + 4) : std::nullopt;
        } else if (gnuHash) {
            const auto hashOffset = FileOffset(*phoff, *phentsize, *phnum, *gnuHash);
            count = hashOffset ? GnuHashSymbolCount(*hashOffset) : std::nullopt;
        } else {
            return Fail("the dynamic segment gives no symbol count");
        }
        if (!count)
            return Fail("the symbol hash table lies outside the file");
        const auto tableSize = CheckedMul(*count, entsize);
        if (!tableSize || !image_.Contains(*symOffset, *tableSize))
            return Fail("the dynamic symbol table lies outside the file");
        return {SymbolTable{*symOffset, *count, entsize, *strOffset, *strsz}, {}};
    }

    // Maps a virtual address to its offset in the file through the loadable segments.
    std::optional<std::uint64_t> FileOffset(std::uint64_t phoff, std::uint64_t phentsize,
                                            std::uint64_t phnum, std::uint64_t address) const {
        for (std::uint64_t i = 0; i < phnum; ++i) {
            const std::uint64_t at = phoff + i * phentsize;
            if (image_.U32(at + l_.phType) != kPtLoad)
                continue;
            const auto offset = Word(at + l_.phOffset);
            const auto vaddr = Word(at + l_.phVaddr);
            const auto filesz = Word(at + l_.phFilesz);
            if (!offset || !vaddr || !filesz)
                return std::nullopt;
            if (address >= *vaddr && address - *vaddr < *filesz)
                return CheckedAdd(*offset, address - *vaddr);
        }
        return std::nullopt;
    }

    // The GNU hash table does not store the symbol count: it is one past the highest symbol
    // that a hash chain reaches.
    std::optional<std::uint64_t> GnuHashSymbolCount(std::uint64_t at) const {
        const auto nbuckets = image_.U32(at);
        const auto symoffset = image_.U32(at + 4);
        const auto bloomSize = image_.U32(at + 8);
        if (!nbuckets || !symoffset || !bloomSize)
            return std::nullopt;
        const std::uint64_t buckets = at + 16 + *bloomSize * l_.word;
        if (!image_.Contains(buckets, *nbuckets * 4))
            return std::nullopt;
        std::uint64_t highest = 0;
        for (std::uint64_t b = 0; b < *nbuckets; ++b)
            highest = std::max(highest, *image_.U32(buckets + b * 4));
        if (highest < *symoffset)
            return *symoffset;
        const std::uint64_t chains = buckets + *nbuckets * 4;
        for (std::uint64_t i = highest;; ++i) {
            const auto entry = image_.U32(chains + (i - *symoffset) * 4);
            if (!entry)
                return std::nullopt;
            if ((*entry & 1) != 0)
                return i + 1;
        }
    }

    ExportNameList Names(const SymbolTable& t) const {
        ExportNameList list;
        const std::uint64_t strEnd = t.strOffset + t.strSize;
        for (std::uint64_t i = 0; i < t.count; ++i) {
            const std::uint64_t at = t.offset + i * t.entsize;
            const auto name = image_.U32(at + l_.stName);
            const auto info = image_.U8(at + l_.stInfo);
            const auto other = image_.U8(at + l_.stOther);
            const auto shndx = image_.U16(at + l_.stShndx);
            if (!name || !info || !other || !shndx)
                return ExportNameList::Failure("the dynamic symbol table lies outside the file");
            const std::uint64_t bind = *info >> 4;
            const std::uint64_t visibility = *other & 3;
            if (*shndx == kShnUndef || (bind != kBindGlobal && bind != kBindWeak) ||
                (visibility != kVisDefault && visibility != kVisProtected))
                continue;
            auto text = image_.CString(t.strOffset + *name, strEnd);
            if (!text)
                return ExportNameList::Failure("symbol " + std::to_string(i) +
                                               " has a name outside the string table");
            if (!text->empty())
                list.names.push_back(std::move(*text));
        }
        return list;
    }

    const ImageBytes& image_;
    const ElfLayout& l_;
};

} // namespace

ExportNameList ReadElfExportNames(std::span<const std::byte> bytes) {
    const ImageBytes image(bytes);
    const auto elfClass = image.U8(4);
    const auto encoding = image.U8(5);
    if (!elfClass || !encoding)
        return ExportNameList::Failure("the ELF header is cut short");
    if (*encoding == kBigEndian)
        return ExportNameList::Failure("big-endian ELF images are not supported");
    if (*encoding != kLittleEndian)
        return ExportNameList::Failure("the ELF header names an unknown byte order");
    if (*elfClass == kClass32)
        return ElfReader(image, kElf32).Read();
    if (*elfClass == kClass64)
        return ElfReader(image, kElf64).Read();
    return ExportNameList::Failure("the ELF header names an unknown class");
}

} // namespace qx::host
