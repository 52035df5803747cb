// A source of DXF bytes that reads its file a few bytes at a time as the reader asks, gives back
// every range the reader offers at once, and spoils the bytes not read yet and those it gave
// back, so that any read of them shows in what is read or saved. It can also play a file that
// changed after it was read.
#pragma once

#include "cadhost/formats/dxf/source_bytes.h"

#include <algorithm>
#include <string>
#include <utility>

namespace cadhost::dxf::test {

class ForgetfulBytes final : public SourceBytes {
public:
    explicit ForgetfulBytes(std::string bytes)
        : bytes_(bytes.size(), '\x7E'), file_(std::move(bytes)) {}

    std::string_view Bytes() const override { return bytes_; }
    Span Release(Span range) override {
        for (std::size_t i = range.begin; i < range.end; ++i)
            bytes_[i] = '\x7F';
        return range;
    }
    qx::Status Reread(Span range, std::string& out) const override {
        ++*rereads_;
        if (*fileChanged_)
            return qx::Failure{"plan.dxf changed on disk after it was read"};
        out = file_.substr(range.begin, range.end - range.begin);
        return qx::Status{};
    }
    std::size_t ReleaseStep() const override { return 1; }
    std::size_t Filled() const override { return filled_; }
    qx::Status FillTo(std::size_t end) override {
        end = std::min(bytes_.size(), std::max(end, filled_ + kPiece));
        if (end > readableUpTo)
            return qx::Failure{"the file became shorter while it was read"};
        file_.copy(bytes_.data() + filled_, end - filled_, filled_);
        filled_ = std::max(filled_, end);
        return qx::Status{};
    }
    std::size_t ReadAhead() const override { return 5; }

    // Where the file seems to end when the reader asks for more.
    std::size_t readableUpTo = std::string::npos;
    // Shared with the test, which keeps them after the source has moved into the document.
    bool* fileChanged_ = &ownChanged_;
    int* rereads_ = &ownRereads_;

private:
    static constexpr std::size_t kPiece = 3;
    std::string bytes_;
    std::size_t filled_ = 0;
    std::string file_;
    bool ownChanged_ = false;
    int ownRereads_ = 0;
};

} // namespace cadhost::dxf::test
