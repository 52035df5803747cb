#include "host/export_names_elf.h"

#include "image_builders.h"
#include "platform/file_bytes.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>

namespace qx::host {
namespace {

using test::BuildElf;
using test::ElfClass;
using test::ElfImage;
using test::ElfSymbolSpec;
using test::PutLe;
using ::testing::HasSubstr;

std::vector<std::byte> FileContents(const char* path) {
    auto file = platform::ReadFileBytes(path);
    EXPECT_TRUE(file.ok()) << path << ": " << file.error();
    return file ? std::move(*file) : std::vector<std::byte>{};
}

// What binutils reads as the exports of the fixture: defined global or weak symbols of default
// or protected visibility, in table order.
std::vector<std::string> ReadelfExports(const char* listing) {
    std::ifstream in(listing);
    std::vector<std::string> names;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string num, value, size, type, bind, vis, ndx, name;
        if (!(fields >> num >> value >> size >> type >> bind >> vis >> ndx >> name))
            continue;
        if (num.empty() || num.back() != ':' || ndx == "UND")
            continue;
        if ((bind != "GLOBAL" && bind != "WEAK") || (vis != "DEFAULT" && vis != "PROTECTED"))
            continue;
        names.push_back(name.substr(0, name.find('@')));
    }
    return names;
}

const std::vector<ElfSymbolSpec> kMixedSymbols = {
    {"Lblsinit", 1, 0, 1},      {"local_one", 0, 0, 1},  {"LBLSINIT", 1, 0, 1},
    {"imported", 1, 0, 0},      {"hidden_one", 1, 2, 1}, {"weak_one", 2, 0, 1},
    {"protected_one", 1, 3, 1}, {"", 1, 0, 1},
};
const std::vector<std::string> kMixedExports = {"Lblsinit", "LBLSINIT", "weak_one",
                                                "protected_one"};

// The real fixture program.

TEST(ElfExportNames, FixtureProgramExportsItsDefaultAndProtectedSymbols) {
    const auto image = FileContents(QX_EXPORT_FIXTURE);
    const ExportNameList list = ReadElfExportNames(image);
    ASSERT_TRUE(list.ok()) << list.error;
    const auto has = [&](const std::string& n) {
        return std::ranges::find(list.names, n) != list.names.end();
    };
    for (const char* name :
         {"Lblsinit", "LBLSINIT", "wrtmsg", "fixture_counter", "weak_export", "protected_export"})
        EXPECT_TRUE(has(name)) << name;
    for (const char* name : {"hidden_function", "local_function", "puts"})
        EXPECT_FALSE(has(name)) << name;
}

#ifdef QX_EXPORT_FIXTURE_DYNSYM
TEST(ElfExportNames, FixtureOrderMatchesBinutils) {
    const auto expected = ReadelfExports(QX_EXPORT_FIXTURE_DYNSYM);
    ASSERT_FALSE(expected.empty());
    const ExportNameList list = ReadElfExportNames(FileContents(QX_EXPORT_FIXTURE));
    ASSERT_TRUE(list.ok()) << list.error;
    EXPECT_EQ(list.names, expected);
}
#endif

TEST(ElfExportNames, WithoutSectionHeadersTheDynamicSegmentGivesTheSameNames) {
    for (const char* path : {QX_EXPORT_FIXTURE, QX_EXPORT_FIXTURE_SYSV}) {
        auto image = FileContents(path);
        const ExportNameList full = ReadElfExportNames(image);
        ASSERT_TRUE(full.ok()) << full.error;
        PutLe(image, 40, 0, 8); // e_shoff: as if the section headers were stripped
        const ExportNameList stripped = ReadElfExportNames(image);
        ASSERT_TRUE(stripped.ok()) << path << ": " << stripped.error;
        EXPECT_EQ(stripped.names, full.names) << path;
    }
}

TEST(ElfExportNames, EveryTruncationOfTheFixtureIsRefused) {
    const auto image = FileContents(QX_EXPORT_FIXTURE);
    // The section headers come last, so no proper prefix holds a whole table.
    for (std::size_t size = 0; size < image.size(); size += 7) {
        const ExportNameList list =
            ReadElfExportNames(std::span<const std::byte>(image).first(size));
        EXPECT_FALSE(list.ok()) << size;
    }
}

TEST(ElfExportNames, RandomCorruptionNeverReadsOutOfBounds) {
    const auto original = FileContents(QX_EXPORT_FIXTURE);
    std::mt19937 random(20240613);
    for (int round = 0; round < 300; ++round) {
        auto image = original;
        PutLe(image, 40, round % 2 == 0 ? 0 : image.size() - 64 * (1 + round % 40), 8);
        for (int flips = 0; flips < 24; ++flips) {
            // Mostly the headers and tables at both ends, where offsets and counts live.
            const std::size_t at =
                flips % 2 == 0 ? random() % 1024 : image.size() - 1 - random() % 4096;
            image[at] = static_cast<std::byte>(random());
        }
        const ExportNameList list = ReadElfExportNames(image);
        EXPECT_TRUE(list.ok() || !list.error.empty());
    }
}

// Built images: both classes, every filter.

class BuiltElf : public ::testing::TestWithParam<ElfClass> {};

TEST_P(BuiltElf, KeepsDefinedGlobalAndWeakSymbolsOfDefaultOrProtectedVisibilityInOrder) {
    const ElfImage elf = BuildElf(GetParam(), kMixedSymbols);
    const ExportNameList list = ReadElfExportNames(elf.bytes);
    ASSERT_TRUE(list.ok()) << list.error;
    EXPECT_EQ(list.names, kMixedExports);
}

TEST_P(BuiltElf, EveryTruncationIsRefused) {
    const ElfImage elf = BuildElf(GetParam(), kMixedSymbols);
    for (std::size_t size = 0; size < elf.bytes.size(); ++size)
        EXPECT_FALSE(ReadElfExportNames(std::span(elf.bytes).first(size)).ok()) << size;
}

TEST_P(BuiltElf, CorruptOffsetsAndCountsGiveAClearError) {
    const bool is64 = GetParam() == ElfClass::Elf64;
    const unsigned word = is64 ? 8 : 4;
    const ElfImage clean = BuildElf(GetParam(), kMixedSymbols);
    const std::size_t dynstrHeader = clean.sectionHeaders + clean.sectionHeaderSize;
    const std::size_t dynsymHeader = clean.sectionHeaders + 2 * clean.sectionHeaderSize;
    const std::size_t shOffset = is64 ? 24 : 16;
    const std::size_t shSize = is64 ? 32 : 20;
    const std::size_t shLink = is64 ? 40 : 24;
    const std::size_t shEntsize = is64 ? 56 : 36;
    const std::uint64_t huge = is64 ? 0xffff'ffff'ffff'fff0u : 0xffff'fff0u;

    struct Corruption {
        const char* what;
        std::size_t offset;
        std::uint64_t value;
        unsigned width;
        const char* message;
    };
    const Corruption corruptions[] = {
        {"section headers past the end", is64 ? 40u : 32u, huge, word, "section header table"},
        {"section header size too small", is64 ? 58u : 46u, 8, 2, "invalid size"},
        {"too many section headers", is64 ? 60u : 48u, 0xffff, 2, "section header table"},
        {"symbol table past the end", dynsymHeader + shOffset, huge, word, "symbol table"},
        {"huge symbol table", dynsymHeader + shSize, huge, word, "symbol table"},
        {"symbol size too small", dynsymHeader + shEntsize, 1, word, "invalid size"},
        {"string table link out of range", dynsymHeader + shLink, 99, 4, "string table"},
        {"string table link to itself", dynsymHeader + shLink, 2, 4, "string table"},
        {"string table past the end", dynstrHeader + shOffset, huge, word, "string table"},
        {"name past the string table", clean.dynsymOffset + clean.symbolSize, 0xffff'0000, 4,
         "outside the string table"},
        {"big-endian", 5, 2, 1, "big-endian"},
        {"unknown class", 4, 9, 1, "unknown class"},
    };
    for (const auto& c : corruptions) {
        ElfImage elf = clean;
        PutLe(elf.bytes, c.offset, c.value, c.width);
        const ExportNameList list = ReadElfExportNames(elf.bytes);
        EXPECT_FALSE(list.ok()) << c.what;
        EXPECT_THAT(list.error, HasSubstr(c.message)) << c.what;
        EXPECT_TRUE(list.names.empty()) << c.what;
    }
}

TEST_P(BuiltElf, ANameWithoutTerminatorIsRefused) {
    ElfImage elf = BuildElf(GetParam(), {{"Lblsinit"}, {"wrtmsg"}});
    // The last byte of the string table is the terminator of "wrtmsg".
    const std::size_t lastNameEnd = elf.dynstrOffset + 1 + 9 + 6;
    PutLe(elf.bytes, lastNameEnd, 'x', 1);
    const ExportNameList list = ReadElfExportNames(elf.bytes);
    EXPECT_FALSE(list.ok());
    EXPECT_THAT(list.error, HasSubstr("symbol 2"));
}

TEST_P(BuiltElf, NoDynamicSymbolsMeansNoExports) {
    const ElfImage elf = BuildElf(GetParam(), {});
    const ExportNameList list = ReadElfExportNames(elf.bytes);
    ASSERT_TRUE(list.ok()) << list.error;
    EXPECT_TRUE(list.names.empty());
}

INSTANTIATE_TEST_SUITE_P(BothClasses, BuiltElf, ::testing::Values(ElfClass::Elf32, ElfClass::Elf64),
                         [](const auto& info) {
                             return info.param == ElfClass::Elf32 ? "Elf32" : "Elf64";
                         });

} // namespace
} // namespace qx::host
