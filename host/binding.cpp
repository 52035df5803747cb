#include "host/binding.h"

#include "host/export_names.h"
#include "host/host_table.h"
#include "host/ui_hooks.h"
#include "platform/module_symbols.h"
#include "platform/platform.h"

#include <algorithm>
#include <exception>
#include <utility>
#include <vector>

namespace qx::host {
namespace {

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, {}, AsciiLower, AsciiLower);
}

// Whether boxes wait for the first call of Main, and the ones that wait.
enum class BoxTiming { AtOnce, AtFirstCall };
BoxTiming g_boxTiming = BoxTiming::AtOnce;
std::vector<std::string> g_deferredBoxes;

void ShowNow(const std::string& text) {
    // The library's own failure concerns the whole desktop: the host may have no window yet.
    platform::ShowMessageBox(platform::BoxKind::Error, kBindingErrorCaption, text, false,
                             platform::BoxScope::Desktop);
}

void ShowBindingError(const std::string& text) {
    if (g_boxTiming == BoxTiming::AtFirstCall) {
        // Out of memory while the library loads: the box is lost, the load goes on.
        try {
            g_deferredBoxes.push_back(text);
        } catch (...) {
        }
        return;
    }
    ShowNow(text);
}

// Defers the binding's boxes for as long as it lives.
class DeferredBoxes {
public:
    DeferredBoxes() { g_boxTiming = BoxTiming::AtFirstCall; }
    ~DeferredBoxes() { g_boxTiming = BoxTiming::AtOnce; }
    DeferredBoxes(const DeferredBoxes&) = delete;
    DeferredBoxes& operator=(const DeferredBoxes&) = delete;
};

// Slots hold typed function pointers; the loader hands out untyped addresses. Converting
// between the two is what POSIX and Win32 both guarantee for exported functions.
template <class Fn> void BindTypedSlot(const HostModule& module, Fn& slot, std::string_view name) {
    void* untyped = reinterpret_cast<void*>(slot);
    BindHostFunction(module, untyped, name);
    slot = reinterpret_cast<Fn>(untyped);
}

void InstallHostUiHooks() {
    const auto getter =
        reinterpret_cast<UiHooksGetter_fn>(platform::MainProgramSymbol(kUiHooksExportName));
    platform::SetUiHooks(getter != nullptr ? getter() : nullptr);
}

} // namespace

TFunctionResult FindHostFunction(const HostModule& module, std::string_view name) {
    TFunctionResult result;
    const auto match = std::ranges::find_if(module.exportNames, [name](const std::string& e) {
        return EqualIgnoringAsciiCase(e, name);
    });
    if (match != module.exportNames.end() && module.entryPoint)
        result.FunctionPointer = module.entryPoint(*match);
    if (result.FunctionPointer != nullptr)
        return result;

    result.ErrorCode = kFunctionNotFound;
    result.ErrorMessage = "Function " + std::string(name) + " not found in module";
    ShowBindingError(result.ErrorMessage);
    return result;
}

void BindHostFunction(const HostModule& module, void*& slot, std::string_view name) {
    const TFunctionResult result = FindHostFunction(module, name);
    if (result.ErrorCode == kFunctionFound)
        slot = result.FunctionPointer;
}

void BindHostFunctions(const HostModule& module) {
    HostTable& slots = Slots();
    slots = HostTable{};
#define QX_BIND_SLOT(name, result, params) BindTypedSlot(module, slots.name, #name);
    QX_HOST_FUNCTIONS(QX_BIND_SLOT)
#undef QX_BIND_SLOT
}

void BindToHostFile(const std::string& path) {
    Slots() = HostTable{};
    ExportNameList exports = ReadExportNames(path);
    if (!exports.ok()) {
        ShowBindingError("The host functions cannot be bound: " + exports.error + ".");
        return;
    }
    BindHostFunctions(HostModule{std::move(exports.names), &platform::MainProgramSymbol});
}

void BindToHostExecutable() {
    const DeferredBoxes deferred;
    g_deferredBoxes.clear();
    // Binding runs while the library loads, where an escaping exception would end the host.
    try {
        InstallHostUiHooks();
        Slots() = HostTable{};
        const std::string path = platform::HostExecutablePath();
        if (path.empty()) {
            ShowBindingError("The host functions cannot be bound: the host program's file "
                             "cannot be found.");
            return;
        }
        BindToHostFile(path);
    } catch (const std::exception& e) {
        Slots() = HostTable{};
        ShowBindingError(std::string("The host functions cannot be bound: ") + e.what() + ".");
    } catch (...) {
        Slots() = HostTable{};
        ShowBindingError("The host functions cannot be bound: an unknown error occurred.");
    }
}

void ShowDeferredBindingMessages() {
    if (g_deferredBoxes.empty())
        return;
    // Taken out first: a box that leads back into Main must not show the same boxes again.
    const std::vector<std::string> boxes = std::exchange(g_deferredBoxes, {});
    for (const std::string& text : boxes)
        ShowNow(text);
}

} // namespace qx::host
