// A DLL that answers with the platform layer's idea of its own module and of the program.
#include "platform/platform.h"

#include <cstring>

namespace {

void Copy(const std::string& text, char* out, int size) {
    if (size <= 0)
        return;
    const auto n = std::min<std::size_t>(text.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
}

} // namespace

extern "C" __declspec(dllexport) void ProbePaths(char* library, char* program, int size) {
    Copy(qx::platform::MacroLibraryPath(), library, size);
    Copy(qx::platform::HostExecutablePath(), program, size);
}
