// Where the bytes of a DXF document come from. The reader walks every byte once, in order; a
// save needs only the few values it changes and copies the rest. A source that can read its
// bytes again from their file lets the reader give the part behind it back to the system, so
// that a large drawing holds its file in memory only while it is read.
#pragma once

#include "platform/result.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace cadhost::dxf {

// A byte range of the file.
struct Span {
    std::size_t begin = 0;
    std::size_t end = 0;
    bool empty() const { return begin >= end; }
};

class SourceBytes {
public:
    virtual ~SourceBytes() = default;

    // Every byte of the file. A range given back with Release reads as zeros from then on.
    virtual std::string_view Bytes() const = 0;
    // Gives back the memory of as much of [begin, end) as the source can read again later
    // (whole pages of it, say) and tells which part that was; an empty span when none.
    virtual Span Release(Span range) = 0;
    // Reads [begin, end) from the file again into `out`; a failure when the file cannot be
    // read or is no longer the file that was read.
    virtual qx::Status Reread(Span range, std::string& out) const = 0;
    // How far the reader should get past the last range given back before it gives back the
    // next: each release costs a system call.
    virtual std::size_t ReleaseStep() const { return std::size_t{8} << 20; }

    // A source may read its file as the reader goes, so that the memory given back behind the
    // reader is soon taken again ahead of it instead of fresh memory: how far the bytes are
    // read, and reading on to at least `end` (or the end of the file). A file that cannot be
    // read that far fails, with a message that says why.
    virtual std::size_t Filled() const { return Bytes().size(); }
    virtual qx::Status FillTo(std::size_t) { return qx::Status{}; }
    // How far ahead of the tag being read the reader asks for bytes: more than the longest
    // tag of a sound file.
    virtual std::size_t ReadAhead() const { return std::size_t{256} << 10; }
};

// Bytes held in memory only, as a drawing built from bytes is: nothing is given back.
class MemoryBytes final : public SourceBytes {
public:
    explicit MemoryBytes(std::string bytes) : bytes_(std::move(bytes)) {}
    std::string_view Bytes() const override { return bytes_; }
    Span Release(Span) override { return {}; }
    qx::Status Reread(Span, std::string&) const override {
        return qx::Failure{"the bytes were never given back"};
    }

private:
    std::string bytes_;
};

} // namespace cadhost::dxf
