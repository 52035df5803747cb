#include "host/export_names_pe.h"

#include "image_builders.h"
#include "platform/file_bytes.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

namespace qx::host {
namespace {

using test::BuildPe;
using test::PeImage;
using test::PeKind;
using test::PutLe;
using ::testing::HasSubstr;

const std::vector<std::string> kNames = {"LBLSINIT", "Lblsinit", "getesc", "wrtmsg"};

#ifdef QX_PE_FIXTURE
TEST(PeExportNames, CrossCompiledDllListsItsExportsInTableOrder) {
    const auto file = platform::ReadFileBytes(QX_PE_FIXTURE);
    ASSERT_TRUE(file.ok()) << file.error();
    const ExportNameList list = ReadPeExportNames(*file);
    ASSERT_TRUE(list.ok()) << list.error;
    // The format keeps the name table sorted by byte value, so upper case comes first.
    EXPECT_EQ(list.names, (std::vector<std::string>{"LBLSINIT", "Lblsinit", "wrtmsg"}));
}
#else
TEST(PeExportNames, CrossCompiledDllListsItsExportsInTableOrder) {
    GTEST_SKIP() << "x86_64-w64-mingw32-gcc is not installed";
}
#endif

class BuiltPe : public ::testing::TestWithParam<PeKind> {};

TEST_P(BuiltPe, ListsTheNamePointerTableInOrder) {
    const PeImage pe = BuildPe(GetParam(), kNames);
    const ExportNameList list = ReadPeExportNames(pe.bytes);
    ASSERT_TRUE(list.ok()) << list.error;
    EXPECT_EQ(list.names, kNames);
}

TEST_P(BuiltPe, NoExportDirectoryMeansNoExports) {
    PeImage pe = BuildPe(GetParam(), kNames);
    PutLe(pe.bytes, pe.exportDataDirectory, 0, 8);
    const ExportNameList list = ReadPeExportNames(pe.bytes);
    ASSERT_TRUE(list.ok()) << list.error;
    EXPECT_TRUE(list.names.empty());
}

TEST_P(BuiltPe, EveryTruncationIsRefused) {
    const PeImage pe = BuildPe(GetParam(), kNames);
    for (std::size_t size = 0; size < pe.bytes.size(); ++size)
        EXPECT_FALSE(ReadPeExportNames(std::span(pe.bytes).first(size)).ok()) << size;
}

TEST_P(BuiltPe, CorruptOffsetsAndCountsGiveAClearError) {
    const PeImage clean = BuildPe(GetParam(), kNames);
    struct Corruption {
        const char* what;
        std::size_t offset;
        std::uint64_t value;
        unsigned width;
        const char* message;
    };
    const Corruption corruptions[] = {
        {"PE header past the end", 0x3c, 0xffff'fff0, 4, "PE signature"},
        {"no PE signature", clean.peHeader, 0x4550'4550, 4, "PE signature"},
        {"too many sections", clean.peHeader + 6, 0xffff, 2, "section table"},
        {"optional header runs past the end", clean.peHeader + 20, 0xffff, 2, "section table"},
        {"unknown optional header", clean.optionalHeader, 0x1234, 2, "magic"},
        {"export directory outside every section", clean.exportDataDirectory, 0x7fff'0000, 4,
         "export directory"},
        {"export directory at the end of its section", clean.exportDataDirectory,
         clean.sectionRva + (clean.bytes.size() - clean.sectionRaw) - 8, 4, "export directory"},
        {"section data past the end", clean.sectionHeader + 20, 0xffff'0000, 4, "export directory"},
        {"huge number of names", clean.exportDirectory + 24, 0xffff'ffff, 4, "name pointer"},
        {"name pointer table outside every section", clean.exportDirectory + 32, 0x10, 4,
         "name pointer"},
        {"name pointer past the end", clean.namePointers + 4, 0xffff'0000, 4, "export name 1"},
        {"name pointer into unbacked memory", clean.namePointers + 8, clean.sectionRva + 0x8000, 4,
         "export name 2"},
    };
    for (const auto& c : corruptions) {
        PeImage pe = clean;
        PutLe(pe.bytes, c.offset, c.value, c.width);
        const ExportNameList list = ReadPeExportNames(pe.bytes);
        EXPECT_FALSE(list.ok()) << c.what;
        EXPECT_THAT(list.error, HasSubstr(c.message)) << c.what;
        EXPECT_TRUE(list.names.empty()) << c.what;
    }
}

TEST_P(BuiltPe, ANameWithoutTerminatorIsRefused) {
    PeImage pe = BuildPe(GetParam(), kNames);
    // The image ends with the last name's terminator; the section's data ends there too.
    pe.bytes.back() = std::byte{'x'};
    const ExportNameList list = ReadPeExportNames(pe.bytes);
    EXPECT_FALSE(list.ok());
    EXPECT_THAT(list.error, HasSubstr("export name 3"));
}

TEST_P(BuiltPe, ANameMayNotRunIntoTheNextSectionsMemory) {
    PeImage pe = BuildPe(GetParam(), kNames);
    // Shrink the section by the last name's terminator: the bytes stay in the file, but no
    // longer belong to the section.
    PutLe(pe.bytes, pe.sectionHeader + 16, pe.bytes.size() - pe.sectionRaw - 1, 4);
    PutLe(pe.bytes, pe.sectionHeader + 8, pe.bytes.size() - pe.sectionRaw - 1, 4);
    EXPECT_FALSE(ReadPeExportNames(pe.bytes).ok());
}

TEST_P(BuiltPe, RandomCorruptionNeverReadsOutOfBounds) {
    const PeImage clean = BuildPe(GetParam(), kNames);
    std::mt19937 random(77);
    for (int round = 0; round < 2000; ++round) {
        auto bytes = clean.bytes;
        for (int flips = 0; flips < 4; ++flips)
            bytes[random() % bytes.size()] = static_cast<std::byte>(random());
        const ExportNameList list = ReadPeExportNames(bytes);
        EXPECT_TRUE(list.ok() || !list.error.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(BothKinds, BuiltPe, ::testing::Values(PeKind::Pe32, PeKind::Pe32Plus),
                         [](const auto& info) {
                             return info.param == PeKind::Pe32 ? "Pe32" : "Pe32Plus";
                         });

} // namespace
} // namespace qx::host
