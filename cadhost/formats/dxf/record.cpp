#include "cadhost/formats/dxf/record.h"

#include "cadhost/formats/dxf/read_error.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <string>

namespace cadhost::dxf {

namespace {

// Powers of ten that a double holds exactly.
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
// The largest integer up to which every integer is a double.
constexpr std::uint64_t kExactMantissa = std::uint64_t{1} << 53;
// Digits that fit an unsigned 64-bit number whatever they are.
constexpr int kSafeDigits = 19;

// Coordinates are nearly always plain decimals such as "-1250.375". For those the value is
// the digits as a whole number divided by a power of ten; when both are exact doubles, one
// correctly rounded division gives the correctly rounded value, the same that std::from_chars
// gives. False when the text is not such a decimal (exponent, too many digits, no digits): the
// caller then parses it in full.
bool ParsePlainDecimal(std::string_view v, double& out) {
    const char* p = v.data();
    const char* const end = p + v.size();
    const bool negative = p != end && *p == '-';
    if (negative)
        ++p;
    std::uint64_t mantissa = 0;
    int digits = 0;
    int fraction = -1; // digits after the point; -1 while there is no point
    for (; p != end; ++p) {
        const char c = *p;
        if (c >= '0' && c <= '9') {
            if (++digits > kSafeDigits)
                return false;
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
            if (fraction >= 0)
                ++fraction;
            continue;
        }
        if (c != '.' || fraction >= 0)
            return false;
        fraction = 0;
    }
    const int scale = fraction < 0 ? 0 : fraction;
    if (digits == 0 || mantissa > kExactMantissa ||
        scale >= static_cast<int>(std::size(kExactPowersOfTen)))
        return false;
    const double value = static_cast<double>(mantissa) / kExactPowersOfTen[scale];
    out = negative ? -value : value;
    return true;
}

} // namespace

void Record::Index() {
    first_.fill(kNoTag);
    for (std::size_t i = 0; i < tags_.size(); ++i) {
        const int code = tags_[i].code;
        if (code == 101 || code == 1001)
            break;
        if (code >= 0 && code < kIndexedCodes && first_[static_cast<std::size_t>(code)] == kNoTag)
            first_[static_cast<std::size_t>(code)] = static_cast<std::uint32_t>(i);
    }
}

const Tag* Record::First(int code) const {
    const std::uint32_t i = first_[static_cast<std::size_t>(code)];
    return i == kNoTag ? nullptr : &tags_[i];
}

double Record::Number(const Tag& t) const {
    const std::string_view v = Trimmed(Value(t));
    double d = 0;
    if (ParsePlainDecimal(v, d))
        return d;
    const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), d);
    if (v.empty() || ec != std::errc() || end != v.data() + v.size() || !std::isfinite(d)) {
        Fail(t.line + 1, "\"" + std::string(v.substr(0, 40)) + "\" is not a number (group code " +
                             std::to_string(t.code) + ")");
    }
    return d;
}

double Record::Number(int code, double fallback) const {
    const Tag* t = First(code);
    return t == nullptr ? fallback : Number(*t);
}

int Record::Integer(int code, int fallback) const {
    const Tag* t = First(code);
    if (t == nullptr)
        return fallback;
    const std::string_view v = Trimmed(Value(*t));
    int n = 0;
    const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), n);
    if (v.empty() || ec != std::errc() || end != v.data() + v.size()) {
        Fail(t->line + 1, "\"" + std::string(v.substr(0, 40)) +
                              "\" is not a whole number (group code " + std::to_string(code) + ")");
    }
    return n;
}

qx::host::point Record::Point(int xCode) const {
    return qx::host::point{Number(xCode, 0), Number(xCode + 10, 0), Number(xCode + 20, 0)};
}

} // namespace cadhost::dxf
