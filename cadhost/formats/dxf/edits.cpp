#include "cadhost/formats/dxf/edits.h"

#include <algorithm>

namespace cadhost::dxf {

namespace {

// Pieces are handed on in runs of about this size.
constexpr std::size_t kChunk = std::size_t{1} << 20;

class Gatherer {
public:
    explicit Gatherer(const ByteSink& sink) : sink_(sink) { buffer_.reserve(kChunk); }

    void Add(std::string_view piece) {
        if (buffer_.size() + piece.size() <= kChunk) {
            buffer_.append(piece);
            return;
        }
        Flush();
        if (piece.size() >= kChunk) {
            sink_(piece);
            return;
        }
        buffer_.append(piece);
    }

    void Flush() {
        if (!buffer_.empty())
            sink_(buffer_);
        buffer_.clear();
    }

private:
    const ByteSink& sink_;
    std::string buffer_;
};

// The edits in order, with the unchanged ranges between them handed over by `copy`, which
// returns false to stop.
template <typename Copy>
bool StreamSorted(std::size_t size, std::vector<Edit> edits, Gatherer& out, const Copy& copy) {
    std::stable_sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) {
        return a.begin != b.begin ? a.begin < b.begin : a.end < b.end;
    });
    std::size_t pos = 0;
    for (const Edit& e : edits) {
        // Overlapping edits are a fault of the caller; the later one then changes only what
        // the earlier left, so the result is still made of whole pieces of the input.
        const std::size_t begin = std::min(std::max(e.begin, pos), size);
        if (!copy(pos, begin))
            return false;
        out.Add(e.text);
        pos = std::max(std::min(e.end, size), begin);
    }
    if (!copy(pos, size))
        return false;
    out.Flush();
    return true;
}

} // namespace

void StreamEdits(std::string_view bytes, std::vector<Edit> edits, const ByteSink& sink) {
    Gatherer out(sink);
    StreamSorted(bytes.size(), std::move(edits), out, [&](std::size_t from, std::size_t to) {
        out.Add(bytes.substr(from, to - from));
        return true;
    });
}

qx::Status StreamEdits(const FileImage& image, std::vector<Edit> edits, const ByteSink& sink) {
    Gatherer out(sink);
    qx::Status status;
    StreamSorted(image.Size(), std::move(edits), out, [&](std::size_t from, std::size_t to) {
        status = image.Copy(Span{from, to}, [&](std::string_view piece) { out.Add(piece); });
        return status.ok();
    });
    return status;
}

std::string ApplyEdits(std::string_view bytes, std::vector<Edit> edits) {
    std::size_t added = 0;
    for (const Edit& e : edits) {
        added += e.text.size();
    }
    std::string out;
    out.reserve(bytes.size() + added);
    StreamEdits(bytes, std::move(edits), [&out](std::string_view piece) { out.append(piece); });
    return out;
}

} // namespace cadhost::dxf
