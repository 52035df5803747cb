// The thin layer over what the operating system provides. It is the only part of the macro
// that touches the OS, the desktop or files.
//
// Texts given to and returned by this layer are UTF-8; the macro converts its 8-bit texts at
// the call. Paths are UTF-8 too.
#pragma once

#include "host/ui_hooks.h"
#include "platform/profile_file.h"

#include <cstdint>
#include <optional>
#include <string>

class QDialog;

namespace qx::platform {

using host::BoxAnswer;
using host::BoxKind;

// Installs the host's UI hooks (or none). Called once when the library binds to its host.
void SetUiHooks(const host::UiHooks* hooks);

// Whom a message box holds up: the host's window, or the whole desktop (for failures of the
// library itself, which may come before the host has a window to own the box).
enum class BoxScope { HostWindow, Desktop };

// Message boxes. `defaultNo` makes No the default button of a confirmation.
BoxAnswer ShowMessageBox(BoxKind kind, const std::string& caption, const std::string& text,
                         bool defaultNo = false, BoxScope scope = BoxScope::HostWindow);
inline void ErrorBox(const std::string& text) {
    ShowMessageBox(BoxKind::Error, "Error", text);
}
inline void InfoBox(const std::string& text) {
    ShowMessageBox(BoxKind::Information, "Information", text);
}
inline void WarningBox(const std::string& text) {
    ShowMessageBox(BoxKind::Warning, "Warning", text);
}
inline bool ConfirmBox(const std::string& text, bool defaultNo = false) {
    return ShowMessageBox(BoxKind::Confirmation, "Confirm", text, defaultNo) == BoxAnswer::Yes;
}

// The desktop's default beep.
void Beep();

// Runs a modal dialog to its end and returns its result code (the Qt views only).
int RunModal(QDialog& dialog);
// Hands a modal dialog of the native Windows view (its HWND, shown) to a host that drives the
// macro's dialogs itself, and returns the host's answer; nothing when the host does not, and the
// dialog runs for the user.
std::optional<int> RunModalInHost(void* dialog);

// Opens a document with its default application, never through a shell command line.
bool OpenDocument(const std::string& path);

// Delivers a key stroke to the host's window.
void SendHostKey(std::int32_t keyCode);

// The separator the platform writes between a folder and a name, and every one it reads.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
inline constexpr const char* kPathSeparators = "\\/";
#else
inline constexpr char kPathSeparator = '/';
inline constexpr const char* kPathSeparators = "/";
#endif

// Module paths.
std::string HostExecutablePath();
std::string MacroLibraryPath();

// File operations. Each returns false on failure and never throws.
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
bool MakeDirectory(const std::string& path); // one level
bool CopyFileNoOverwrite(const std::string& from, const std::string& to);
bool RenameFile(const std::string& from, const std::string& to);
bool RemoveFile(const std::string& path);

// Profile (INI) files: platform/profile_file.h.

} // namespace qx::platform
