// The bytes of a DXF file as the document keeps them after the load: in memory where the
// reader left them, and read again from the file where the reader gave them back.
#pragma once

#include "cadhost/formats/dxf/source_bytes.h"
#include "platform/result.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace cadhost::dxf {

class FileImage {
public:
    FileImage() : FileImage(std::make_unique<MemoryBytes>(std::string())) {}
    explicit FileImage(std::unique_ptr<SourceBytes> source) : source_(std::move(source)) {}

    std::size_t Size() const { return source_->Bytes().size(); }
    // The source, for the tag reader, which asks it to read on as it goes.
    SourceBytes& Source() { return *source_; }
    // How far the bytes are read; reading the rest, as the load does once its reader is done.
    std::size_t Filled() const { return source_->Filled(); }
    qx::Status FillAll() { return source_->FillTo(Size()); }
    // The bytes for the reader, which reads each byte before it gives its range back, and for
    // ranges never given back.
    std::string_view Bytes() const { return source_->Bytes(); }

    // Gives back what lies between the last range given back (or `from`, when that is later)
    // and `to`, once that is at least the source's release step. Ranges are given back in file
    // order only: the reader calls this as it moves on.
    void ReleaseBehind(std::size_t from, std::size_t to);
    // The same, however little that is: at the end of what the reader may give back.
    void ReleaseAllBehind(std::size_t from, std::size_t to);
    bool IsResident(Span range) const;
    const std::vector<Span>& Released() const { return released_; }

    // The bytes of [begin, end), read from the file where they were given back. Reads of
    // nearby ranges in file order share one read of the file.
    qx::Result<std::string_view> Slice(Span range) const;
    // Hands [begin, end) on in pieces, in order.
    qx::Status Copy(Span range, const std::function<void(std::string_view)>& take) const;

private:
    void Release(std::size_t from, std::size_t to, std::size_t least);

    std::unique_ptr<SourceBytes> source_;
    std::vector<Span> released_; // in file order, not touching
    // The last range read from the file again, so that the values a save compares, which come
    // in file order, cost one read of the file per window, not one each.
    mutable Span window_;
    mutable std::string windowBytes_;
};

} // namespace cadhost::dxf
