#include "cadhost/driver/macro_library.h"

#include "cadhost/driver/elf_image_check.h"

#include <dlfcn.h>

#include <filesystem>

namespace cadhost {

qx::Result<qx::host::Main_fn> LoadMacroLibrary(const std::string& path) {
    // The loader maps whatever the headers claim; a library cut short would crash the host
    // inside dlopen instead of failing it.
    if (const std::string problem = CheckElfImage(path); !problem.empty())
        return qx::Failure{"cannot load the macro library " + path + ": " + problem};
    dlerror();
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* why = dlerror();
        return qx::Failure{"cannot load the macro library " + path + ": " +
                           (why ? why : "unknown error")};
    }
    void* entry = dlsym(handle, qx::host::kMainExportName);
    if (entry == nullptr)
        return qx::Failure{"the macro library " + path + " does not export Main"};
    return reinterpret_cast<qx::host::Main_fn>(entry);
}

std::string DefaultMacroLibraryPath() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        const auto beside = exe.parent_path() / "libquillex.so";
        if (std::filesystem::exists(beside, ec))
            return beside.string();
    }
    return QX_MACRO_LIBRARY_PATH;
}

} // namespace cadhost
