// Replacing a file on Windows: a temporary file beside it, flushed, then put in the old file's
// place by ReplaceFileW (which keeps the old file's attributes and security) or, for a new
// file, by MoveFileExW, both writing through to the disk.
#include "cadhost/formats/file_replace.h"

#include "cadhost/formats/file_replace_os.h"

#include "platform/win32/system_message.h"

#include <windows.h>

#include <algorithm>
#include <random>

namespace cadhost {

long CurrentProcessId() {
    return static_cast<long>(GetCurrentProcessId());
}

bool ProcessIsGone(long pid) {
    const HANDLE process =
        OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (process == nullptr) {
        // A process this user may not look at is still running.
        return GetLastError() == ERROR_INVALID_PARAMETER;
    }
    DWORD code = 0;
    const bool ended = GetExitCodeProcess(process, &code) != 0 && code != STILL_ACTIVE;
    CloseHandle(process);
    return ended;
}

namespace {

namespace fs = std::filesystem;

// Why the existing file must not be replaced, or empty when it may be.
std::string RefusalFor(DWORD attributes) {
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return "it is a folder";
    }
    if ((attributes & FILE_ATTRIBUTE_DEVICE) != 0) {
        return "it is not a regular file";
    }
    // A file that someone made read-only must not be replaced behind their back, although
    // renaming over it could succeed.
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return "the file is read-only";
    }
    return {};
}

bool WriteAll(HANDLE file, std::string_view bytes) {
    constexpr std::size_t kMostPerWrite = 1u << 30;
    while (!bytes.empty()) {
        DWORD written = 0;
        const auto size = static_cast<DWORD>(std::min(bytes.size(), kMostPerWrite));
        if (WriteFile(file, bytes.data(), size, &written, nullptr) == 0) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

// Puts the flushed temporary file in the target's place.
bool MoveIntoPlace(const fs::path& temp, const fs::path& target, bool exists) {
    if (exists && ReplaceFileW(target.c_str(), temp.c_str(), nullptr,
                               REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0) {
        return true;
    }
    // A file system without ReplaceFileW's support (or a new file) takes the plain move.
    return MoveFileExW(temp.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

} // namespace

qx::Status ReplaceFileContents(const fs::path& file, const ContentWriter& write) {
    const std::string source = file.string();
    const fs::path& target = file;
    const DWORD attributes = GetFileAttributesW(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    const std::string unchanged = exists ? "; the old file is unchanged" : "";
    if (exists) {
        const std::string refusal = RefusalFor(attributes);
        if (!refusal.empty()) {
            return qx::Failure{source + ": cannot be saved: " + refusal + unchanged};
        }
    }
    const fs::path folder = target.has_parent_path() ? target.parent_path() : ".";
    RemoveStaleTemporaryFiles(target, folder);

    const fs::path temp =
        folder / TemporaryNameFor(target, CurrentProcessId(), std::random_device{}());
    const std::string tempName = temp.filename().string();
    HANDLE out = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return qx::Failure{source + ": cannot be saved, the folder does not take the new file " +
                           tempName + " (" + qx::platform::win32::SystemMessage(error) + ")" +
                           unchanged};
    }
    const auto fail = [&](const std::string& what, DWORD error) {
        if (out != INVALID_HANDLE_VALUE) {
            CloseHandle(out);
        }
        DeleteFileW(temp.c_str());
        return qx::Failure{source + ": cannot be saved, " + what + " failed (" +
                           qx::platform::win32::SystemMessage(error) + ")" + unchanged};
    };
    // After the first failed write the rest is not written; the failure is reported once the
    // writer is done.
    DWORD writeError = 0;
    const qx::Status made = write([&](std::string_view bytes) {
        if (writeError == 0 && !WriteAll(out, bytes)) {
            writeError = GetLastError() != 0 ? GetLastError() : ERROR_WRITE_FAULT;
        }
    });
    if (writeError != 0) {
        return fail("writing " + tempName, writeError);
    }
    if (!made) {
        CloseHandle(out);
        DeleteFileW(temp.c_str());
        return qx::Failure{source + ": cannot be saved: " + made.error() + unchanged};
    }
    if (FlushFileBuffers(out) == 0) {
        return fail("flushing " + tempName + " to the disk", GetLastError());
    }
    const HANDLE closing = out;
    out = INVALID_HANDLE_VALUE;
    if (CloseHandle(closing) == 0) {
        return fail("closing " + tempName, GetLastError());
    }
    if (!MoveIntoPlace(temp, target, exists)) {
        return fail("renaming " + tempName + " over the file", GetLastError());
    }
    return qx::Status{};
}

} // namespace cadhost
