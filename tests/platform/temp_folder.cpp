#include "temp_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <system_error>

namespace qx::test {
namespace {

std::filesystem::path FromUtf8(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

} // namespace

TempFolder::TempFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::filesystem::temp_directory_path() /
            (std::string("qx_") + info->test_suite_name() + "_" + info->name());
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
    std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ec;
    // A file made read-only by a test must not keep its folder alive.
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ec))
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

std::string TempFolder::File(const std::string& name) const {
    const std::u8string full = (path_ / FromUtf8(name)).u8string();
    return std::string(full.begin(), full.end());
}

std::string ReadBytes(const std::string& utf8Path) {
    std::ifstream in(FromUtf8(utf8Path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& utf8Path, const std::string& bytes) {
    std::ofstream out(FromUtf8(utf8Path), std::ios::binary);
    out << bytes;
}

} // namespace qx::test
