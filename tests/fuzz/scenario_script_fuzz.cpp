// The scenario parser on any text: it gives a script or a message naming a line, every step
// has a verb, and each step written back as text parses to the same words.
#include "cadhost/scenario/script.h"
#include "tests/fuzz/fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

using cadhost::scenario::ParseScript;
using cadhost::scenario::Script;
using cadhost::scenario::Step;

void CheckWrittenBack(const Step& step) {
    QX_FUZZ_CHECK(!step.words.empty());
    const bool opensBlock = step.verb() == "dialog" || step.verb() == "window";
    const auto again = ParseScript(step.Describe() + (opensBlock ? "\nend" : ""), "");
    QX_FUZZ_CHECK(std::holds_alternative<Script>(again));
    const Script& script = std::get<Script>(again);
    QX_FUZZ_CHECK(script.steps.size() == 1 && script.steps.front().words == step.words);
    for (const Step& inner : step.block)
        CheckWrittenBack(inner);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto parsed = ParseScript({reinterpret_cast<const char*>(data), size}, "/scenarios");
    if (const auto* error = std::get_if<std::string>(&parsed)) {
        QX_FUZZ_CHECK(error->starts_with("line "));
        return 0;
    }
    for (const Step& step : std::get<Script>(parsed).steps)
        CheckWrittenBack(step);
    return 0;
}
