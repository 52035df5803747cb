#include "cadhost/formats/dxf/tag_reader.h"

#include <cstring>

namespace cadhost::dxf {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Group codes are 16-bit numbers.
constexpr int kLargestCode = 32767;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
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

TagReader::TagReader(std::string_view bytes) : bytes_(bytes) {
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

bool TagReader::ReadLine(std::string_view& text) {
    if (pos_ >= bytes_.size()) {
        return false;
    }
    const char* begin = bytes_.data() + pos_;
    const auto* nl = static_cast<const char*>(std::memchr(begin, '\n', bytes_.size() - pos_));
    const std::size_t end =
        nl == nullptr ? bytes_.size() : static_cast<std::size_t>(nl - bytes_.data());
    std::size_t textEnd = end;
    if (textEnd > pos_ && bytes_[textEnd - 1] == '\r') {
        --textEnd;
    }
    text = bytes_.substr(pos_, textEnd - pos_);
    pos_ = nl == nullptr ? bytes_.size() : end + 1;
    ++line_;
    return true;
}

bool TagReader::Next(Tag& tag) {
    if (!error_.empty()) {
        return false;
    }
    const std::size_t start = pos_;
    const std::size_t codeLine = line_;
    std::string_view codeText;
    if (!ReadLine(codeText)) {
        return false;
    }
    // Parsed by hand: this runs for every tag of the file.
    const char* p = codeText.data();
    const char* const end = p + codeText.size();
    while (p != end && IsBlank(*p))
        ++p;
    const bool negative = p != end && *p == '-';
    if (negative)
        ++p;
    const char* const digits = p;
    int code = 0;
    while (p != end && *p >= '0' && *p <= '9' && code <= kLargestCode) {
        code = code * 10 + (*p - '0');
        ++p;
    }
    const bool numeral = p != digits;
    while (p != end && IsBlank(*p))
        ++p;
    if (!numeral || p != end || code > kLargestCode) {
        std::string shown(codeText.substr(0, 40));
        return Fail(codeLine, "the group code \"" + shown + "\" is not a number");
    }
    if (negative)
        code = -code;
    std::string_view value;
    const std::size_t valueStart = pos_;
    if (!ReadLine(value)) {
        return Fail(codeLine, "the group code " + std::to_string(code) +
                                  " has no value: the file ends after it");
    }
    if (value.size() > kMaxValueLength) {
        return Fail(codeLine + 1, "the value is " + std::to_string(value.size()) +
                                      " bytes long; at most " + std::to_string(kMaxValueLength) +
                                      " are allowed");
    }
    tag.start = static_cast<std::uint32_t>(start);
    tag.offset = static_cast<std::uint32_t>(valueStart);
    tag.line = static_cast<std::uint32_t>(codeLine);
    tag.length = static_cast<std::uint16_t>(value.size());
    tag.code = static_cast<std::int16_t>(code);
    return true;
}

} // namespace cadhost::dxf
