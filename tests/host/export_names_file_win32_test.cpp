// Export names of module files opened by the Windows loader as data files.
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

TEST_F(ExportNamesFile, ARealDllOfThisBuildListsItsExportsInTableOrder) {
    const ExportNameList list = ReadExportNames(QX_PE_FIXTURE);
    ASSERT_TRUE(list.ok()) << list.error;
    EXPECT_EQ(list.names, (std::vector<std::string>{"LBLSINIT", "Lblsinit", "wrtmsg"}));
}

TEST_F(ExportNamesFile, BuiltImagesOfBothKindsAreReadThroughTheLoader) {
    for (const auto kind : {test::PeKind::Pe32, test::PeKind::Pe32Plus}) {
        const auto pe = test::BuildPe(kind, {"getesc", "wrtmsg"});
        const ExportNameList list = ReadExportNames(Write("host.exe", pe.bytes));
        ASSERT_TRUE(list.ok()) << list.error;
        EXPECT_EQ(list.names, (std::vector<std::string>{"getesc", "wrtmsg"}));
    }
}

TEST_F(ExportNamesFile, TheFileStaysFreeOnceTheNamesAreRead) {
    const auto pe = test::BuildPe(test::PeKind::Pe32Plus, {"getesc"});
    const std::string path = Write("host.exe", pe.bytes);
    ASSERT_TRUE(ReadExportNames(path).ok());
    // A module the loader still held could not be deleted.
    std::error_code ec;
    EXPECT_TRUE(std::filesystem::remove(path, ec)) << ec.message();
}

TEST_F(ExportNamesFile, ErrorsNameTheFileAndTheReason) {
    const std::string missing = (dir_ / "missing").string();
    const ExportNameList notThere = ReadExportNames(missing);
    EXPECT_FALSE(notThere.ok());
    EXPECT_THAT(notThere.error, HasSubstr(missing));

    // The loader refuses what is not a PE image before the reader sees a byte of it.
    const std::string text = Write("notes.txt", {std::byte{'h'}, std::byte{'i'}});
    const ExportNameList unknown = ReadExportNames(text);
    EXPECT_FALSE(unknown.ok());
    EXPECT_THAT(unknown.error, HasSubstr(text));

    EXPECT_FALSE(ReadExportNames(dir_.string()).ok());
    EXPECT_FALSE(ReadExportNames(Write("empty", {})).ok());
}

} // namespace
} // namespace qx::host
