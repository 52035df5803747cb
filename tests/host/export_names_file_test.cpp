#include "host/export_names.h"

#include "image_builders.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace qx::host {
namespace {

using ::testing::HasSubstr;

class ExportNamesFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("qx_export_names_" +
                std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string Write(const std::string& name, const std::vector<std::byte>& bytes) {
        const auto path = dir_ / name;
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }

    std::filesystem::path dir_;
};

TEST_F(ExportNamesFile, DispatchesOnTheImageKind) {
    const auto elf = test::BuildElf(test::ElfClass::Elf64, {{"Lblsinit"}, {"wrtmsg"}});
    const auto pe = test::BuildPe(test::PeKind::Pe32Plus, {"getesc"});
    const ExportNameList fromElf = ReadExportNames(Write("host.elf", elf.bytes));
    const ExportNameList fromPe = ReadExportNames(Write("host.exe", pe.bytes));
    ASSERT_TRUE(fromElf.ok()) << fromElf.error;
    ASSERT_TRUE(fromPe.ok()) << fromPe.error;
    EXPECT_EQ(fromElf.names, (std::vector<std::string>{"Lblsinit", "wrtmsg"}));
    EXPECT_EQ(fromPe.names, (std::vector<std::string>{"getesc"}));
    EXPECT_EQ(ReadExportNames(QX_EXPORT_FIXTURE).ok(), true);
}

TEST_F(ExportNamesFile, ErrorsNameTheFileAndTheReason) {
    const std::string missing = (dir_ / "missing").string();
    const ExportNameList notThere = ReadExportNames(missing);
    EXPECT_FALSE(notThere.ok());
    EXPECT_THAT(notThere.error, HasSubstr(missing));
    EXPECT_THAT(notThere.error, HasSubstr("No such file"));

    const ExportNameList directory = ReadExportNames(dir_.string());
    EXPECT_FALSE(directory.ok());
    EXPECT_THAT(directory.error, HasSubstr("not a regular file"));

    const std::string text = Write("notes.txt", {std::byte{'h'}, std::byte{'i'}});
    const ExportNameList unknown = ReadExportNames(text);
    EXPECT_FALSE(unknown.ok());
    EXPECT_THAT(unknown.error, HasSubstr(text));
    EXPECT_THAT(unknown.error, HasSubstr("neither an ELF nor a PE image"));

    const ExportNameList empty = ReadExportNames(Write("empty", {}));
    EXPECT_FALSE(empty.ok());

    const ExportNameList corrupt =
        ReadExportNames(Write("short.exe", {std::byte{'M'}, std::byte{'Z'}}));
    EXPECT_FALSE(corrupt.ok());
    EXPECT_THAT(corrupt.error, HasSubstr("DOS header"));
}

} // namespace
} // namespace qx::host
