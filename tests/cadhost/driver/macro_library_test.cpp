// Loading the macro library: the real library loads, and damaged copies of it are refused with
// a message instead of crashing the host inside the loader.
#include "cadhost/driver/elf_image_check.h"
#include "cadhost/driver/macro_library.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <elf.h>
#include <link.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <unistd.h>
#include <vector>

namespace cadhost {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

std::vector<char> ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class MacroLibraryCheck : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("cadhost_elf_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        real = ReadAll(QX_MACRO_LIBRARY_PATH);
        ASSERT_GT(real.size(), sizeof(ElfW(Ehdr)));
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(folder, ec);
    }

    // A copy of the real library, changed by `damage`, under a name of its own.
    std::string Copy(const std::string& name,
                     const std::function<void(std::vector<char>&)>& damage) {
        std::vector<char> bytes = real;
        damage(bytes);
        const fs::path file = folder / name;
        std::ofstream(file, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return file.string();
    }
    ElfW(Ehdr) Header() const {
        ElfW(Ehdr) h{};
        std::memcpy(&h, real.data(), sizeof h);
        return h;
    }
    ElfW(Phdr) ProgramHeader(std::size_t i) const {
        ElfW(Phdr) ph{};
        std::memcpy(&ph, real.data() + Header().e_phoff + i * sizeof ph, sizeof ph);
        return ph;
    }
    // The index of the loadable segment that ends last in the file.
    std::size_t LastLoadSegment() const {
        std::size_t last = 0;
        std::uint64_t end = 0;
        for (std::size_t i = 0; i < Header().e_phnum; ++i) {
            const auto ph = ProgramHeader(i);
            if (ph.p_type == PT_LOAD && ph.p_offset + ph.p_filesz > end) {
                end = ph.p_offset + ph.p_filesz;
                last = i;
            }
        }
        return last;
    }
    template <typename T> static void Put(std::vector<char>& bytes, std::size_t offset, T value) {
        std::memcpy(bytes.data() + offset, &value, sizeof value);
    }

    fs::path folder;
    std::vector<char> real;
};

TEST_F(MacroLibraryCheck, TheRealLibraryPassesAndLoads) {
    EXPECT_EQ(CheckElfImage(QX_MACRO_LIBRARY_PATH), "");
    const auto macro = LoadMacroLibrary(QX_MACRO_LIBRARY_PATH);
    ASSERT_TRUE(macro.ok()) << macro.error();
    EXPECT_NE(*macro, nullptr);
}

TEST_F(MacroLibraryCheck, TruncatedCopiesAreRefusedNamingTheFileAndTheReason) {
    const auto phEnd = Header().e_phoff + Header().e_phnum * sizeof(ElfW(Phdr));
    const auto load = ProgramHeader(LastLoadSegment());
    struct Cut {
        const char* name;
        std::size_t keep;
        const char* reason;
    };
    const Cut cuts[] = {
        {"empty", 0, "too short to be a library (0 bytes)"},
        {"magic_only", 4, "too short to be a library"},
        {"header_only", sizeof(ElfW(Ehdr)), "program headers reach past the end of the file"},
        {"mid_program_headers", phEnd - 3, "program headers reach past the end of the file"},
        {"mid_last_segment", load.p_offset + load.p_filesz / 2, "loadable segment"},
        {"half", real.size() / 2, "past the end of the file"},
        {"last_byte_missing", real.size() - 1, "past the end of the file"},
    };
    for (const Cut& cut : cuts) {
        const std::string file =
            Copy(std::string(cut.name) + ".so", [&](auto& b) { b.resize(cut.keep); });
        const auto macro = LoadMacroLibrary(file);
        EXPECT_FALSE(macro.ok()) << cut.name;
        EXPECT_THAT(macro.error(), HasSubstr("cannot load the macro library " + file + ": "))
            << cut.name;
        EXPECT_THAT(macro.error(), HasSubstr(cut.reason)) << cut.name;
    }
}

TEST_F(MacroLibraryCheck, CorruptedHeadersAreRefused) {
    const std::size_t ph0 = Header().e_phoff;
    const std::size_t last = ph0 + LastLoadSegment() * sizeof(ElfW(Phdr));
    struct Damage {
        const char* name;
        std::function<void(std::vector<char>&)> apply;
        const char* reason;
    };
    const Damage damages[] = {
        {"not_elf", [](auto& b) { b[1] = 'X'; }, "not an ELF library"},
        {"other_class", [](auto& b) { b[EI_CLASS] = sizeof(void*) == 8 ? ELFCLASS32 : ELFCLASS64; },
         sizeof(void*) == 8 ? "a 32-bit library; this host is 64-bit"
                            : "a 64-bit library; this host is 32-bit"},
        {"other_byte_order",
         [](auto& b) { b[EI_DATA] = b[EI_DATA] == ELFDATA2LSB ? ELFDATA2MSB : ELFDATA2LSB; },
         "byte order"},
        {"executable", [](auto& b) { Put<ElfW(Half)>(b, offsetof(ElfW(Ehdr), e_type), ET_EXEC); },
         "not a shared library"},
        {"other_machine",
         [](auto& b) { Put<ElfW(Half)>(b, offsetof(ElfW(Ehdr), e_machine), EM_S390); },
         "built for another processor"},
        {"program_headers_far_away",
         [](auto& b) { Put<ElfW(Off)>(b, offsetof(ElfW(Ehdr), e_phoff), ~ElfW(Off){0} - 8); },
         "program headers reach past the end"},
        {"program_header_size",
         [](auto& b) { Put<ElfW(Half)>(b, offsetof(ElfW(Ehdr), e_phentsize), 12); },
         "program headers are 12 bytes each"},
        {"no_program_headers",
         [](auto& b) { Put<ElfW(Half)>(b, offsetof(ElfW(Ehdr), e_phnum), 0); },
         "no program headers"},
        {"segment_grown",
         [&](auto& b) {
             Put<ElfW(Xword)>(b, last + offsetof(ElfW(Phdr), p_filesz), ElfW(Xword){real.size()});
         },
         "loadable segment"},
        {"segment_offset_overflows",
         [&](auto& b) {
             Put<ElfW(Off)>(b, last + offsetof(ElfW(Phdr), p_offset), ~ElfW(Off){0} - 1);
         },
         "past the end of the file"},
        {"section_table_far_away",
         [](auto& b) { Put<ElfW(Off)>(b, offsetof(ElfW(Ehdr), e_shoff), ElfW(Off){1} << 40); },
         "section header table reaches past the end"},
    };
    for (const Damage& damage : damages) {
        const std::string file = Copy(std::string(damage.name) + ".so", damage.apply);
        const std::string problem = CheckElfImage(file);
        EXPECT_THAT(problem, HasSubstr(damage.reason)) << damage.name;
        const auto macro = LoadMacroLibrary(file);
        EXPECT_FALSE(macro.ok()) << damage.name;
        EXPECT_THAT(macro.error(), HasSubstr(file)) << damage.name;
    }
}

TEST_F(MacroLibraryCheck, AMissingFileIsNamed) {
    const std::string file = (folder / "none.so").string();
    const auto macro = LoadMacroLibrary(file);
    EXPECT_FALSE(macro.ok());
    EXPECT_THAT(macro.error(), HasSubstr(file + ": it cannot be read"));
}

} // namespace
} // namespace cadhost
