#include "cadhost/scenario/run_context.h"

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
