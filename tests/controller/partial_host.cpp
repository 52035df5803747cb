// A host that exports only a few host functions and the UI hooks, and prints every message box
// the macro shows. It runs one invocation and prints the answers.
#include "host/host_api.h"
#include "host/ui_hooks.h"

#include <dlfcn.h>

#include <cstdio>
#include <vector>

using namespace qx::host;

namespace {

std::int32_t g_localSize = 0;

BoxAnswer Box(BoxKind, const char* caption, const char* text, bool) {
    std::printf("%s: %s\n", caption, text);
    return BoxAnswer::Ok;
}

const UiHooks kHooks{Box, nullptr, nullptr, nullptr, nullptr};

} // namespace

extern "C" __attribute__((visibility("default"))) const UiHooks* cadhost_ui_hooks() {
    return &kHooks;
}
extern "C" __attribute__((visibility("default"))) void SetLocalSize(std::int32_t size) {
    g_localSize = size;
}
extern "C" __attribute__((visibility("default"))) std::int32_t DataCAD_Version() {
    return 230003;
}

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    void* lib = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    if (lib == nullptr)
        return 2;
    auto main = reinterpret_cast<Main_fn>(dlsym(lib, kMainExportName));
    if (main == nullptr)
        return 2;
    main(kCallStateServed, static_cast<std::int32_t>(Action::CallSizeQuery), nullptr, nullptr);
    std::vector<unsigned char> record(27108, 0);
    const auto start = main(kCallStateServed, static_cast<std::int32_t>(Action::CallStart),
                            record.data(), nullptr);
    const auto resume = main(kCallStateServed, static_cast<std::int32_t>(Action::CallResume),
                             record.data(), nullptr);
    main(kCallStateServed, static_cast<std::int32_t>(Action::CallFinish), record.data(), nullptr);
    std::printf("size query answered %d\nstart answered %d, resume answered %d\n", g_localSize,
                start, resume);
    return 0;
}
