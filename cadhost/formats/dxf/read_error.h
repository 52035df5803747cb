// How the DXF reader's parts report a fault of the file: a message naming the line, thrown
// inside the reader and turned into a failed result at its top.
#pragma once

#include <cstddef>
#include <string>

namespace cadhost::dxf {

struct ReadError {
    std::string message;
};

[[noreturn]] inline void Fail(std::size_t line, const std::string& what) {
    throw ReadError{"line " + std::to_string(line) + ": " + what};
}

} // namespace cadhost::dxf
