#include "cadhost/formats/dxf/file_image.h"

#include <algorithm>

namespace cadhost::dxf {

namespace {

// What one read of the file takes at most, for a save's copy and for the window of values.
constexpr std::size_t kRereadPiece = std::size_t{1} << 20;

bool Overlap(Span a, Span b) {
    return a.begin < b.end && b.begin < a.end;
}

} // namespace

void FileImage::ReleaseBehind(std::size_t from, std::size_t to) {
    Release(from, to, source_->ReleaseStep());
}

void FileImage::ReleaseAllBehind(std::size_t from, std::size_t to) {
    Release(from, to, 1);
}

void FileImage::Release(std::size_t from, std::size_t to, std::size_t least) {
    if (!released_.empty())
        from = std::max(from, released_.back().end);
    to = std::min(to, Size());
    if (to <= from || to - from < least)
        return;
    const Span given = source_->Release(Span{from, to});
    if (given.empty())
        return;
    if (!released_.empty() && released_.back().end == given.begin)
        released_.back().end = given.end;
    else
        released_.push_back(given);
}

bool FileImage::IsResident(Span range) const {
    return range.end <= Filled() && std::none_of(released_.begin(), released_.end(),
                                                 [range](Span r) { return Overlap(r, range); });
}

qx::Result<std::string_view> FileImage::Slice(Span range) const {
    range.end = std::min(range.end, Size());
    range.begin = std::min(range.begin, range.end);
    if (IsResident(range))
        return Bytes().substr(range.begin, range.end - range.begin);
    if (range.begin < window_.begin || range.end > window_.end) {
        const Span wanted{range.begin,
                          std::min(Size(), std::max(range.end, range.begin + kRereadPiece))};
        window_ = Span{};
        if (qx::Status read = source_->Reread(wanted, windowBytes_); !read)
            return qx::Failure{read.error()};
        window_ = wanted;
    }
    return std::string_view(windowBytes_)
        .substr(range.begin - window_.begin, range.end - range.begin);
}

qx::Status FileImage::Copy(Span range, const std::function<void(std::string_view)>& take) const {
    range.end = std::min(range.end, Size());
    // A load reads its file to the end before it is done; a document not loaded whole has
    // nothing to copy from.
    if (range.end > Filled())
        return qx::Failure{"the drawing file was not read to its end"};
    std::string piece;
    std::size_t pos = range.begin;
    const auto fromMemory = [&](std::size_t until) {
        if (until > pos)
            take(Bytes().substr(pos, until - pos));
        pos = std::max(pos, until);
    };
    for (const Span r : released_) {
        if (pos >= range.end)
            break;
        if (r.end <= pos)
            continue;
        fromMemory(std::min(r.begin, range.end));
        const std::size_t until = std::min(r.end, range.end);
        while (pos < until) {
            const Span next{pos, std::min(until, pos + kRereadPiece)};
            if (qx::Status read = source_->Reread(next, piece); !read)
                return read;
            take(piece);
            pos = next.end;
        }
    }
    fromMemory(range.end);
    return qx::Status{};
}

} // namespace cadhost::dxf
