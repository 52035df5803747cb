#include "cadhost/formats/dxf/tag_reader.h"

#include <algorithm>
#include <cstring>

namespace cadhost::dxf {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Group codes are 16-bit numbers.
constexpr int kLargestCode = 32767;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// A group-code line as writers write it: blanks, an optional minus, digits, blanks and the line
// end. Reads it in the one walk that parses the number, without searching for the line end
// first; gives false for anything else, which the full check then describes.
bool QuickCode(const char* p, const char* limit, int& code, const char*& feed) {
    while (p != limit && IsBlank(*p))
        ++p;
    const bool negative = p != limit && *p == '-';
    if (negative)
        ++p;
    const char* const digits = p;
    int n = 0;
    while (p != limit && *p >= '0' && *p <= '9' && n <= kLargestCode) {
        n = n * 10 + (*p - '0');
        ++p;
    }
    if (p == digits || n > kLargestCode)
        return false;
    while (p != limit && IsBlank(*p))
        ++p;
    if (p != limit && *p == '\r')
        ++p;
    if (p == limit || *p != '\n')
        return false;
    code = negative ? -n : n;
    feed = p;
    return true;
}

} // namespace

std::string_view Trimmed(std::string_view value) {
    while (!value.empty() && IsBlank(value.front())) {
        value.remove_prefix(1);
    }
    while (!value.empty() && IsBlank(value.back())) {
        value.remove_suffix(1);
    }
    return value;
}

std::size_t ValueLineEnd(std::string_view bytes, std::size_t offset, std::size_t length) {
    std::size_t end = offset + length;
    if (end < bytes.size() && bytes[end] == '\r') {
        ++end;
    }
    if (end < bytes.size() && bytes[end] == '\n') {
        ++end;
    }
    return end;
}

TagReader::TagReader(std::string_view bytes, SourceBytes* source)
    : bytes_(bytes), source_(source),
      filled_(source != nullptr ? std::min(source->Filled(), bytes.size()) : bytes.size()),
      readAhead_(source != nullptr ? source->ReadAhead() : 0) {
    ReadTo(std::min(bytes_.size(), kUtf8Bom.size()));
    // Some editors put a byte-order mark in front of a UTF-8 file; it is not a group code.
    if (bytes_.starts_with(kUtf8Bom)) {
        pos_ = kUtf8Bom.size();
    }
}

bool TagReader::Fail(std::size_t line, std::string message) {
    error_ = "line " + std::to_string(line) + ": " + std::move(message);
    pos_ = bytes_.size();
    return false;
}

const char* TagReader::LineEnd(const char* from, const char* limit) {
    const auto* nl =
        static_cast<const char*>(std::memchr(from, '\n', static_cast<std::size_t>(limit - from)));
    return nl == nullptr ? limit : nl;
}

bool TagReader::FullCode(const char* codeStart, const char* codeFeed, int& code) {
    const char* codeEnd = codeFeed;
    if (codeEnd != codeStart && codeEnd[-1] == '\r')
        --codeEnd;
    const char* p = codeStart;
    while (p != codeEnd && IsBlank(*p))
        ++p;
    const bool negative = p != codeEnd && *p == '-';
    if (negative)
        ++p;
    const char* const digits = p;
    code = 0;
    while (p != codeEnd && *p >= '0' && *p <= '9' && code <= kLargestCode) {
        code = code * 10 + (*p - '0');
        ++p;
    }
    const bool numeral = p != digits;
    while (p != codeEnd && IsBlank(*p))
        ++p;
    if (!numeral || p != codeEnd || code > kLargestCode) {
        const std::string shown(codeStart, std::min<std::size_t>(codeEnd - codeStart, 40));
        return Fail(line_, "the group code \"" + shown + "\" is not a number");
    }
    if (negative)
        code = -code;
    return true;
}

bool TagReader::ReadTo(std::size_t end) {
    if (source_ == nullptr || end <= filled_)
        return true;
    const qx::Status read = source_->FillTo(end);
    filled_ = std::min(source_->Filled(), bytes_.size());
    if (!read)
        return Fail(line_, read.error());
    return true;
}

bool TagReader::ReadOnAndRetry(Tag& tag) {
    const std::size_t ahead = std::max(readAhead_, filled_ - pos_);
    if (!ReadTo(std::min(bytes_.size(), filled_ + ahead)))
        return false;
    return Next(tag);
}

bool TagReader::Next(Tag& tag) {
    // Written for speed: this runs for every tag of the file, so it scans each line once and
    // parses the group code by hand.
    if (pos_ >= bytes_.size() || !error_.empty())
        return false;
    // Every line is looked at only up to what is read; one that runs on past it is read on and
    // looked at again, so a tag never reads bytes that are not there yet.
    if (filled_ < bytes_.size() && filled_ - pos_ < readAhead_ &&
        !ReadTo(std::min(bytes_.size(), pos_ + 2 * readAhead_)))
        return false;
    const char* const base = bytes_.data();
    const char* const limit = base + filled_;
    const bool more = filled_ < bytes_.size();
    const std::size_t codeLine = line_;
    const char* const codeStart = base + pos_;
    int code = 0;
    const char* codeFeed = nullptr;
    if (!QuickCode(codeStart, limit, code, codeFeed)) {
        codeFeed = LineEnd(codeStart, limit);
        if (codeFeed == limit && more)
            return ReadOnAndRetry(tag);
        if (!FullCode(codeStart, codeFeed, code))
            return false;
    }
    if (codeFeed == limit || codeFeed + 1 == limit) {
        if (more)
            return ReadOnAndRetry(tag);
        return Fail(codeLine, "the group code " + std::to_string(code) +
                                  " has no value: the file ends after it");
    }
    const char* const valueStart = codeFeed + 1;
    const char* const valueFeed = LineEnd(valueStart, limit);
    if (valueFeed == limit && more)
        return ReadOnAndRetry(tag);
    const char* valueEnd = valueFeed;
    if (valueEnd != valueStart && valueEnd[-1] == '\r')
        --valueEnd;
    const auto length = static_cast<std::size_t>(valueEnd - valueStart);
    if (length > kMaxValueLength) {
        return Fail(codeLine + 1, "the value is " + std::to_string(length) +
                                      " bytes long; at most " + std::to_string(kMaxValueLength) +
                                      " are allowed");
    }
    tag.start = static_cast<std::uint32_t>(pos_);
    tag.offset = static_cast<std::uint32_t>(valueStart - base);
    tag.line = static_cast<std::uint32_t>(codeLine);
    tag.length = static_cast<std::uint16_t>(length);
    tag.code = static_cast<std::int16_t>(code);
    pos_ = valueFeed == limit ? bytes_.size() : static_cast<std::size_t>(valueFeed + 1 - base);
    line_ += 2;
    return true;
}

} // namespace cadhost::dxf
