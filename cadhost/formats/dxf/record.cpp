#include "cadhost/formats/dxf/record.h"

#include "cadhost/formats/dxf/read_error.h"

#include <charconv>
#include <cmath>
#include <string>

namespace cadhost::dxf {

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
