// How a fuzz target states what must hold. A failed check names the property and aborts, which
// libFuzzer reports with the input that broke it and the replay driver reports as a failed
// test.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace qx::fuzz {

[[noreturn]] inline void PropertyFailed(const char* property, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: property does not hold: %s\n", file, line, property);
    std::abort();
}

} // namespace qx::fuzz

#define QX_FUZZ_CHECK(property)                                                                    \
    ((property) ? void(0) : ::qx::fuzz::PropertyFailed(#property, __FILE__, __LINE__))
