#include "cadhost/scenario/run_context.h"

#include <algorithm>
#include <filesystem>

namespace cadhost::scenario {

RunContext::RunContext(const Script& s, const RunOptions& o, std::ostream& out)
    : script(s), options(o), transcript(out) {}

void RunContext::Fail(const Step& step, const std::string& message) {
    if (failure.empty())
        failure = "line " + std::to_string(step.line) + ": " + step.Describe() + "\n  " + message;
}

void RunContext::Fail(const std::string& message) {
    if (failure.empty())
        failure = message;
}

std::string RunContext::Normalize(std::string text) const {
    if (tempRoot.empty())
        return text;
#ifdef _WIN32
    // The system names the macro's own file with its own separators; the transcript shows the
    // library folder as on every platform.
    if (libraryDir.starts_with(tempRoot)) {
        std::string native = libraryDir;
        std::replace(native.begin(), native.end(), '/', '\\');
        const std::string shown = "<tmp>" + libraryDir.substr(tempRoot.size());
        for (std::size_t pos = text.find(native); pos != std::string::npos;
             pos = text.find(native, pos + shown.size()))
            text.replace(pos, native.size(), shown);
    }
#endif
    for (std::size_t pos = text.find(tempRoot); pos != std::string::npos;
         pos = text.find(tempRoot, pos))
        text.replace(pos, tempRoot.size(), "<tmp>");
    return text;
}

std::string RunContext::Resolve(const std::string& path) const {
    std::string p = path;
    if (p.rfind("<tmp>", 0) == 0)
        return tempRoot + p.substr(5);
    if (!p.empty() && !std::filesystem::path(p).is_absolute() && !script.baseDir.empty())
        return script.baseDir + "/" + p;
    return p;
}

} // namespace cadhost::scenario
