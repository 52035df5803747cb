// The Win32 implementation of the platform layer: the desktop of the host's own process.
#include "platform/platform.h"

#include "platform/host_ui.h"

#include "platform/win32/host_keys.h"
#include "platform/win32/wide_text.h"

#include <windows.h>

#include <shellapi.h>

#include <string>

namespace qx::platform {
namespace {

using win32::Narrow;
using win32::Widen;
using win32::WidenLossy;

UINT BoxStyle(BoxKind kind, bool defaultNo) {
    switch (kind) {
    case BoxKind::Error:
        return MB_OK | MB_ICONERROR;
    case BoxKind::Information:
        return MB_OK | MB_ICONINFORMATION;
    case BoxKind::Warning:
        return MB_OK | MB_ICONWARNING;
    case BoxKind::Confirmation:
        return MB_YESNO | MB_ICONQUESTION | (defaultNo ? MB_DEFBUTTON2 : MB_DEFBUTTON1);
    }
    return MB_OK;
}

BoxAnswer ShowWin32Box(BoxKind kind, const std::string& caption, const std::string& text,
                       bool defaultNo, BoxScope scope) {
    UINT style = BoxStyle(kind, defaultNo) | MB_TOPMOST;
    HWND owner = nullptr;
    if (scope == BoxScope::Desktop) {
        // The library's own failures may come before the host has a window to own the box.
        style |= MB_SYSTEMMODAL | MB_SETFOREGROUND;
    } else {
        owner = GetActiveWindow();
        if (owner == nullptr)
            style |= MB_TASKMODAL;
    }
    const int pressed =
        MessageBoxW(owner, WidenLossy(text).c_str(), WidenLossy(caption).c_str(), style);
    switch (pressed) {
    case IDYES:
        return BoxAnswer::Yes;
    case IDNO:
        return BoxAnswer::No;
    case IDCANCEL:
        return kind == BoxKind::Confirmation ? BoxAnswer::No : BoxAnswer::Cancel;
    case 0:
        // The box could not be shown: the cautious answer.
        return kind == BoxKind::Confirmation ? BoxAnswer::No : BoxAnswer::Ok;
    default:
        return BoxAnswer::Ok;
    }
}

// The path of a module of this process, however long it is.
std::string ModulePath(HMODULE module) {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = GetModuleFileNameW(module, buffer.data(), size);
        if (length == 0)
            return {};
        if (length < size) {
            buffer.resize(length);
            return Narrow(buffer);
        }
        buffer.resize(buffer.size() * 2);
    }
}

void SendKeyEvent(BYTE virtualKey, DWORD flags) {
    const auto scanCode = static_cast<BYTE>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    keybd_event(virtualKey, scanCode, flags, 0);
}

DWORD FileAttributes(const std::string& path) {
    const auto wide = Widen(path);
    return wide ? GetFileAttributesW(wide->c_str()) : INVALID_FILE_ATTRIBUTES;
}

} // namespace

BoxAnswer ShowMessageBox(BoxKind kind, const std::string& caption, const std::string& text,
                         bool defaultNo, BoxScope scope) {
    if (const auto answer = host_ui::Box(kind, caption, text, defaultNo))
        return *answer;
    return ShowWin32Box(kind, caption, text, defaultNo, scope);
}

void Beep() {
    if (host_ui::Beep())
        return;
    MessageBeep(MB_OK);
}

bool OpenDocument(const std::string& path) {
    if (const auto opened = host_ui::OpenDocument(path))
        return *opened;
    const auto wide = Widen(path);
    if (!wide)
        return false;
    // The document itself is handed to the shell, never a command line built around it.
    const HINSTANCE result =
        ShellExecuteW(nullptr, L"open", wide->c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

void SendHostKey(std::int32_t keyCode) {
    if (host_ui::SendKey(keyCode))
        return;
    const auto stroke = win32::VirtualKeyForHostKey(keyCode);
    if (!stroke)
        return;
    // A key stroke goes to the window with the focus; the macro's floating window must hand
    // the keyboard back to the host's window, which owns it, before the key is typed.
    const HWND active = GetActiveWindow();
    const HWND host = active != nullptr ? GetAncestor(active, GA_ROOTOWNER) : nullptr;
    if (host != nullptr && host != active)
        SetActiveWindow(host);
    if (stroke->shift == win32::ShiftState::Down)
        SendKeyEvent(VK_SHIFT, 0);
    SendKeyEvent(stroke->virtualKey, 0);
    SendKeyEvent(stroke->virtualKey, KEYEVENTF_KEYUP);
    if (stroke->shift == win32::ShiftState::Down)
        SendKeyEvent(VK_SHIFT, KEYEVENTF_KEYUP);
}

std::string HostExecutablePath() {
    return ModulePath(nullptr);
}

std::string MacroLibraryPath() {
    // The module that holds this code: the macro's DLL, not the host that loaded it.
    HMODULE self = nullptr;
    static const int anchor = 0;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(&anchor), &self))
        return {};
    return ModulePath(self);
}

bool FileExists(const std::string& path) {
    const DWORD attributes = FileAttributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool DirectoryExists(const std::string& path) {
    const DWORD attributes = FileAttributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool MakeDirectory(const std::string& path) {
    const auto wide = Widen(path);
    return wide && CreateDirectoryW(wide->c_str(), nullptr) != 0;
}

bool CopyFileNoOverwrite(const std::string& from, const std::string& to) {
    const auto source = Widen(from);
    const auto target = Widen(to);
    return source && target && CopyFileW(source->c_str(), target->c_str(), TRUE) != 0;
}

bool RenameFile(const std::string& from, const std::string& to) {
    const auto source = Widen(from);
    const auto target = Widen(to);
    return source && target &&
           MoveFileExW(source->c_str(), target->c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

bool RemoveFile(const std::string& path) {
    const auto wide = Widen(path);
    return wide && DeleteFileW(wide->c_str()) != 0;
}

} // namespace qx::platform
