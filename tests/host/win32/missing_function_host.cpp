// A Windows host that lacks host functions, loads a macro DLL, runs one invocation and checks
// what the macro said: one "DLL Error" box per missing function, in the order of the
// host-function list, none of them while the DLL was loading, and an invocation that ends with
// answer 0 instead of calling an empty slot.
//
// Built twice: exporting only SetLocalSize and DataCAD_Version, and (QX_LACKS_ONE_EXPORT)
// exporting every host function but ssAdd, whose slot the macro then finds empty.
//
//     missing_function_host MACRO.dll hooks     boxes answered through the host's UI hooks
//     missing_function_host MACRO.dll desktop   real message boxes, pressed by a watcher thread
//
// Exits 0 when everything was as expected; prints what it saw either way.
#include "host/host_api.h"
#include "host/ui_hooks.h"

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>
#include <type_traits>
#include <utility>
#include <vector>

using namespace qx::host;

namespace {

enum class BoxRoute { Hooks, Desktop };

BoxRoute g_route = BoxRoute::Hooks;
std::int32_t g_localSize = 0;
std::mutex g_boxesMutex;
std::vector<std::pair<std::string, std::string>> g_boxes; // caption, text

void Record(std::string caption, std::string text) {
    const std::lock_guard lock(g_boxesMutex);
    std::printf("box \"%s\": %s\n", caption.c_str(), text.c_str());
    std::fflush(stdout);
    g_boxes.emplace_back(std::move(caption), std::move(text));
}

std::size_t BoxCount() {
    const std::lock_guard lock(g_boxesMutex);
    return g_boxes.size();
}

BoxAnswer HookBox(BoxKind, const char* caption, const char* text, bool) {
    Record(caption, text);
    return BoxAnswer::Ok;
}

const UiHooks kHooks{HookBox, nullptr, nullptr, nullptr, nullptr};

std::string Narrow(const std::wstring& wide) {
    std::string out;
    for (const wchar_t c : wide)
        out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return out;
}

// Finds each message box of this process, notes its caption and text, and presses OK.
void PressBoxes(const std::atomic<bool>& stop) {
    constexpr int kStaticTextId = 0xFFFF;
    while (!stop) {
        const HWND box = FindWindowW(L"#32770", nullptr);
        DWORD owner = 0;
        if (box == nullptr || GetWindowThreadProcessId(box, &owner) == 0 ||
            owner != GetCurrentProcessId()) {
            Sleep(10);
            continue;
        }
        wchar_t caption[256] = {};
        wchar_t text[1024] = {};
        // A box is pressed only once it is shown whole, never while it is being built.
        if (!IsWindowVisible(box) || GetWindowTextW(box, caption, 256) == 0 ||
            GetDlgItemTextW(box, kStaticTextId, text, 1024) == 0) {
            Sleep(10);
            continue;
        }
        Record(Narrow(caption), Narrow(text));
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        while (IsWindow(box) && !stop)
            Sleep(5);
    }
}

#ifdef QX_LACKS_ONE_EXPORT
std::vector<std::string> ExpectedMissingNames() {
    return {"ssAdd"};
}
#else
std::vector<std::string> ExpectedMissingNames() {
    std::vector<std::string> names;
#define QX_NAME(name, result, params) names.emplace_back(#name);
    QX_HOST_FUNCTIONS(QX_NAME)
#undef QX_NAME
    std::erase_if(
        names, [](const std::string& n) { return n == "SetLocalSize" || n == "DataCAD_Version"; });
    return names;
}
#endif

int Fail(const char* why) {
    std::printf("FAILED: %s\n", why);
    return 1;
}

} // namespace

extern "C" {
__declspec(dllexport) const UiHooks* cadhost_ui_hooks() {
    return g_route == BoxRoute::Hooks ? &kHooks : nullptr;
}
__declspec(dllexport) void QX_HOST_CALL SetLocalSize(std::int32_t size) {
    g_localSize = size;
}
__declspec(dllexport) std::int32_t QX_HOST_CALL DataCAD_Version() {
    return kHostVersionMinimum;
}
}

#ifdef QX_LACKS_ONE_EXPORT
namespace {
// What a host function that does nothing gives back.
template <class Result> Result Nothing() {
    if constexpr (!std::is_void_v<Result>)
        return Result{};
}
} // namespace

// Every other host function, doing nothing: this host only tells what a missing one does.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-parameter"
#define QX_DEFINE_EXPORT(name, result, params)                                                     \
    extern "C" __declspec(dllexport) result QX_HOST_CALL name params {                             \
        return Nothing<result>();                                                                  \
    }
// The two written out above, and the one this host lacks, are made under other names.
#define SetLocalSize qx_generated_SetLocalSize
#define DataCAD_Version qx_generated_DataCAD_Version
#define ssAdd qx_lacking_ssAdd
QX_HOST_FUNCTIONS(QX_DEFINE_EXPORT)
#undef SetLocalSize
#undef DataCAD_Version
#undef ssAdd
#pragma GCC diagnostic pop
#endif

int main(int argc, char** argv) {
    if (argc < 3)
        return Fail("usage: missing_function_host MACRO.dll hooks|desktop");
    g_route = std::string(argv[2]) == "desktop" ? BoxRoute::Desktop : BoxRoute::Hooks;

    std::atomic<bool> stop = false;
    std::thread watcher;
    if (g_route == BoxRoute::Desktop)
        watcher = std::thread(PressBoxes, std::cref(stop));
    const auto finish = [&](int status) {
        stop = true;
        if (watcher.joinable())
            watcher.join();
        return status;
    };

    const HMODULE macro = LoadLibraryA(argv[1]);
    if (macro == nullptr)
        return finish(Fail("the macro DLL does not load"));
    if (BoxCount() != 0)
        return finish(Fail("a box was shown while the DLL was loading"));
    const auto main =
        reinterpret_cast<Main_fn>(reinterpret_cast<void*>(GetProcAddress(macro, kMainExportName)));
    if (main == nullptr)
        return finish(Fail("the DLL has no export named Main"));

    const auto call = [&](Action action, void* record) {
        return main(kCallStateServed, static_cast<std::int32_t>(action), record, nullptr);
    };
    const std::int32_t sizeAnswer = call(Action::CallSizeQuery, nullptr);
    std::vector<unsigned char> record(static_cast<std::size_t>(g_localSize), 0);
    const std::int32_t startAnswer = call(Action::CallStart, record.data());
    const std::int32_t finishAnswer = call(Action::CallFinish, record.data());
    std::printf("size query answered %d with size %d; start answered %d; finish answered %d\n",
                sizeAnswer, g_localSize, startAnswer, finishAnswer);
    FreeLibrary(macro);
    const int status = finish(0);

    if (g_localSize != 27108 || sizeAnswer != 0)
        return Fail("the size query was not answered with SetLocalSize(27108)");
    if (startAnswer != 0 || finishAnswer != 0)
        return Fail("the invocation did not end at once");
    std::vector<std::string> bindingBoxes;
    for (const auto& [caption, text] : g_boxes)
        if (caption == "DLL Error")
            bindingBoxes.push_back(text);
    std::vector<std::string> expected;
    for (const std::string& name : ExpectedMissingNames())
        expected.push_back("Function " + name + " not found in module");
    if (bindingBoxes != expected)
        return Fail("the \"DLL Error\" boxes are not one per missing function in list order");
    std::printf("%zu \"DLL Error\" boxes, as expected\n", bindingBoxes.size());
    return status;
}
