// Binding the host-function slots by name to the exports of the host's main executable.
//
// The lookup ignores ASCII letter case and takes the first match in the order of the host's
// export table; the entry point is then asked for under the name as the table writes it. A name
// the host does not export leaves its slot empty and is reported in a "DLL Error" box.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qx::host {

// The result of one host-function lookup.
struct TFunctionResult {
    std::int32_t ErrorCode = 0; // 0 found, 1 not found
    std::string ErrorMessage;   // empty when found
    void* FunctionPointer = nullptr;
};

inline constexpr std::int32_t kFunctionFound = 0;
inline constexpr std::int32_t kFunctionNotFound = 1;
inline constexpr const char* kBindingErrorCaption = "DLL Error";

// A host module as the binding sees it: its export names, read once for the whole binding,
// and the loader's lookup of an entry point by its exact exported name.
struct HostModule {
    std::vector<std::string> exportNames;
    std::function<void*(const std::string& exportedName)> entryPoint;
};

// Looks `name` up among the module's exports. A miss shows the "DLL Error" box at once.
TFunctionResult FindHostFunction(const HostModule& module, std::string_view name);

// Stores the entry point of `name` in `slot` when the module exports it; otherwise leaves the
// slot as it was.
void BindHostFunction(const HostModule& module, void*& slot, std::string_view name);

// Empties every slot of Slots(), then fills each one the module exports, in table order.
void BindHostFunctions(const HostModule& module);

// Binds every slot to the exports of the image at `path`, asking the main program's loader for
// the entry points. An image that cannot be read gets one "DLL Error" box naming the file and
// the reason, and leaves every slot empty.
void BindToHostFile(const std::string& path);

// The library's load-time binding: installs the host's UI hooks when it exports them, then
// binds every slot to the exports of the process's main executable. Never throws; a host whose
// image cannot be read gets one "DLL Error" box and leaves every slot empty.
//
// It runs while the platform's loader holds its lock, where a message box (which runs a
// message loop and may start threads) can hang the host. So its boxes are only collected, and
// ShowDeferredBindingMessages shows them at the first call of Main.
void BindToHostExecutable();

// Shows, in order, the boxes the load-time binding collected, once; later calls show nothing.
void ShowDeferredBindingMessages();

} // namespace qx::host
