// A source of DXF bytes that gives back every range the reader offers at once, and spoils the
// bytes it gave back, so that any read of them that does not go to the file again shows in
// what is saved. It can also play a file that changed after it was read.
#pragma once

#include "cadhost/formats/dxf/source_bytes.h"

#include <string>
#include <utility>

namespace cadhost::dxf::test {

class ForgetfulBytes final : public SourceBytes {
public:
    explicit ForgetfulBytes(std::string bytes) : bytes_(bytes), file_(std::move(bytes)) {}

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

    // Shared with the test, which keeps them after the source has moved into the document.
    bool* fileChanged_ = &ownChanged_;
    int* rereads_ = &ownRereads_;

private:
    std::string bytes_;
    std::string file_;
    bool ownChanged_ = false;
    int ownRereads_ = 0;
};

} // namespace cadhost::dxf::test
