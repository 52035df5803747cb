#include "cadhost/formats/read_file.h"

#include <windows.h>

#include <algorithm>

namespace cadhost {

// The file is closed once read, so that the user may change or replace it while the drawing
// is open; its bytes stay in memory.
struct FileBytes::Held {};

FileBytes::FileBytes(const std::filesystem::path& file, AsRead) : FileBytes(file) {}

FileBytes::FileBytes(const std::filesystem::path& file) : name_(file.string()) {
    const HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return;
    }
    LARGE_INTEGER length{};
    if (GetFileType(handle) == FILE_TYPE_DISK && GetFileSizeEx(handle, &length) != 0) {
        const auto size = static_cast<std::size_t>(length.QuadPart);
        char* data = Allocate(size);
        ok_ = true;
        // ReadFile takes at most a DWORD's worth of bytes at a time.
        constexpr std::size_t kMostPerRead = 1u << 30;
        while (ok_ && size_ < size) {
            DWORD got = 0;
            const auto wanted = static_cast<DWORD>(std::min(size - size_, kMostPerRead));
            ok_ = ReadFile(handle, data + size_, wanted, &got, nullptr) != 0;
            if (!ok_ || got == 0) {
                break; // a file that shrank while it was read is read as far as it goes
            }
            size_ += got;
        }
    }
    CloseHandle(handle);
    filled_ = size_;
}

FileBytes::~FileBytes() = default;

dxf::Span FileBytes::Release(dxf::Span) {
    return {};
}

qx::Status FileBytes::FillTo(std::size_t) {
    return qx::Status{}; // read whole at once
}

qx::Status FileBytes::Reread(dxf::Span, std::string&) const {
    return qx::Failure{name_ + " is no longer open"};
}

} // namespace cadhost
