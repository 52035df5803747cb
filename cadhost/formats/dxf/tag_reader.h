// The lowest layer of DXF reading: the file as a sequence of tags, each a group-code line and
// a value line. A tag is a span over the file's bytes, so reading allocates nothing per tag.
#pragma once

#include "cadhost/formats/dxf/source_bytes.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace cadhost::dxf {

// The longest value line the reader accepts. DXF itself allows 2049 characters; other
// writers go past that, so the limit only guards against a file that is not DXF at all.
inline constexpr std::size_t kMaxValueLength = 65535;

// The largest file the reader takes: spans hold 32-bit offsets.
inline constexpr std::size_t kMaxFileSize = 0xFFFFFFFFu;

struct Tag {
    std::uint32_t start = 0;  // where the group-code line begins
    std::uint32_t offset = 0; // where the value begins
    std::uint32_t line = 0;   // the line of the group code, counted from 1
    std::uint16_t length = 0; // of the value, without its line end
    std::int16_t code = 0;
};

// Reads tags one by one from bytes that outlive it. The value of a tag is everything on its
// line but the line end ("\n" or "\r\n"); nothing else is trimmed, so a value written back
// unchanged is the same bytes. With a source that reads its file as the reader goes, the
// reader asks it for the bytes ahead before it looks at them.
class TagReader {
public:
    explicit TagReader(std::string_view bytes, SourceBytes* source = nullptr);

    // The next tag; false at the end of the bytes or at a fault, which Error() then names
    // with its line.
    bool Next(Tag& tag);
    // True once every byte has been read without a fault.
    bool AtEnd() const { return pos_ >= bytes_.size() && error_.empty(); }
    const std::string& Error() const { return error_; }
    // Where the next tag would begin.
    std::size_t Position() const { return pos_; }
    std::size_t Line() const { return line_; }

private:
    // The end of the line that begins at `from`: its line feed, or `limit`.
    static const char* LineEnd(const char* from, const char* limit);
    // Parses the group-code line from `codeStart` to its line feed with every check, for the
    // lines the quick parse does not take; false, with the error noted, when it is not a group
    // code.
    bool FullCode(const char* codeStart, const char* codeFeed, int& code);
    bool Fail(std::size_t line, std::string message);
    // Reads on to at least `end`; false, with the error noted, when the file cannot be read
    // that far.
    bool ReadTo(std::size_t end);
    // Reads on past a line that runs to the end of what is read, then reads the tag again.
    bool ReadOnAndRetry(Tag& tag);

    std::string_view bytes_;
    SourceBytes* source_ = nullptr;
    std::size_t filled_ = 0;    // as the source last said: asked once per read, not per tag
    std::size_t readAhead_ = 0; // the source's
    std::size_t pos_ = 0;
    std::size_t line_ = 1;
    std::string error_;
};

// The value with the blanks around it removed: structure names and numbers are compared
// this way, since some writers pad them.
std::string_view Trimmed(std::string_view value);

// The position just after the line end of the value that begins at `offset` and is
// `length` bytes long.
std::size_t ValueLineEnd(std::string_view bytes, std::size_t offset, std::size_t length);

} // namespace cadhost::dxf
