// Loading the macro DLL with the Windows loader, which checks the PE image itself and fails
// the load of a file that is cut short or not a DLL of this machine.
#include "cadhost/driver/macro_library.h"

#include "platform/win32/system_message.h"

#include <windows.h>

#include <algorithm>
#include <filesystem>

namespace cadhost {
namespace {

std::string LoaderError(DWORD error) {
    std::string utf8 = qx::platform::win32::SystemMessage(error);
    // Some of the system's texts name the file as an insert ("Bad EXE format for %1").
    if (const auto insert = utf8.find("%1"); insert != std::string::npos)
        utf8.replace(insert, 2, "the file");
    return utf8;
}

} // namespace

qx::Result<qx::host::Main_fn> LoadMacroLibrary(const std::string& path) {
    const std::filesystem::path file = std::filesystem::absolute(path);
    // No "cannot find the DLL" box of the system's own: the failure is reported here.
    const UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    const HMODULE module = LoadLibraryExW(file.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    const DWORD error = GetLastError();
    SetErrorMode(previousMode);
    if (module == nullptr)
        return qx::Failure{"cannot load the macro library " + path + ": " + LoaderError(error)};
    const FARPROC entry = GetProcAddress(module, qx::host::kMainExportName);
    if (entry == nullptr)
        return qx::Failure{"the macro library " + path + " does not export Main"};
    return reinterpret_cast<qx::host::Main_fn>(reinterpret_cast<void*>(entry));
}

std::string DefaultMacroLibraryPath() {
    std::wstring exe(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, exe.data(), static_cast<DWORD>(exe.size()));
        if (length < exe.size()) {
            exe.resize(length);
            break;
        }
        exe.resize(exe.size() * 2);
    }
    return (std::filesystem::path(exe).parent_path() / "Quillex.dll").string();
}

} // namespace cadhost
