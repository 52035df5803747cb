// A module opened by the loader as a data file: its file's bytes, mapped read-only, without
// running or binding any of its code.
#include "platform/module_image.h"

#include "platform/win32/wide_text.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>

namespace qx::platform {
namespace {

// The loader marks a data-file handle in its low bits; the mapping starts at the handle
// without them.
constexpr std::uintptr_t kDataFileHandleBits = 3;

std::string LastErrorText(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
    std::wstring message = length > 0 && text != nullptr ? std::wstring(text, length) : L"";
    LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' ||
                                message.back() == L' ' || message.back() == L'.'))
        message.pop_back();
    if (message.empty())
        return "system error " + std::to_string(code);
    return win32::Narrow(message);
}

} // namespace

struct ModuleImage::Mapping {
    HMODULE module = nullptr;
    const std::byte* data = nullptr;
    std::size_t size = 0;

    ~Mapping() {
        if (module != nullptr)
            FreeLibrary(module);
    }
};

ModuleImage::ModuleImage() = default;
ModuleImage::~ModuleImage() = default;
ModuleImage::ModuleImage(ModuleImage&& other) noexcept = default;
ModuleImage& ModuleImage::operator=(ModuleImage&& other) noexcept = default;

std::span<const std::byte> ModuleImage::Bytes() const {
    return mapping_ ? std::span<const std::byte>(mapping_->data, mapping_->size)
                    : std::span<const std::byte>();
}

ModuleImage ModuleImage::Open(const std::string& path) {
    ModuleImage image;
    const auto wide = win32::Widen(path);
    if (!wide) {
        image.error_ = "the path is not valid UTF-8";
        return image;
    }
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    if (!GetFileAttributesExW(wide->c_str(), GetFileExInfoStandard, &attributes)) {
        image.error_ = LastErrorText(GetLastError());
        return image;
    }
    const std::uint64_t fileSize =
        (std::uint64_t{attributes.nFileSizeHigh} << 32) | attributes.nFileSizeLow;

    auto mapping = std::make_unique<Mapping>();
    mapping->module = LoadLibraryExW(wide->c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (mapping->module == nullptr) {
        image.error_ = LastErrorText(GetLastError());
        return image;
    }
    const auto handle = reinterpret_cast<std::uintptr_t>(mapping->module);
    const std::uintptr_t base = handle & ~kDataFileHandleBits;
    if ((handle & kDataFileHandleBits) == 0) {
        // A module this process already runs, the main program among them: the loader gave
        // its running image, whose headers it has checked and whose sections all lie within
        // the size the headers give.
        const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
        const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
        mapping->data = reinterpret_cast<const std::byte*>(base);
        mapping->size = nt->OptionalHeader.SizeOfImage;
        image.layout_ = ImageLayout::Loaded;
        image.mapping_ = std::move(mapping);
        return image;
    }
    MEMORY_BASIC_INFORMATION region{};
    if (VirtualQuery(reinterpret_cast<const void*>(base), &region, sizeof region) == 0) {
        image.error_ = LastErrorText(GetLastError());
        return image;
    }
    // The view ends at a page boundary; the file's own size says where its bytes end.
    mapping->data = reinterpret_cast<const std::byte*>(base);
    mapping->size = static_cast<std::size_t>(
        std::min<std::uint64_t>(fileSize, static_cast<std::uint64_t>(region.RegionSize)));
    image.mapping_ = std::move(mapping);
    return image;
}

} // namespace qx::platform
