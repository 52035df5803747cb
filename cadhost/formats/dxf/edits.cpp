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

} // namespace

void StreamEdits(std::string_view bytes, std::vector<Edit> edits, const ByteSink& sink) {
    std::stable_sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) {
        return a.begin != b.begin ? a.begin < b.begin : a.end < b.end;
    });
    Gatherer out(sink);
    std::size_t pos = 0;
    for (const Edit& e : edits) {
        // Overlapping edits are a fault of the caller; the later one then changes only what
        // the earlier left, so the result is still made of whole pieces of the input.
        const std::size_t begin = std::max(e.begin, pos);
        out.Add(bytes.substr(pos, begin - pos));
        out.Add(e.text);
        pos = std::max(e.end, begin);
    }
    out.Add(bytes.substr(pos));
    out.Flush();
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
