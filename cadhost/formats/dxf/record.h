// One record of a DXF section: a 0 tag naming its type and the tags up to the next 0 tag,
// with the first tag of each common group code found once, so that each field is found in
// constant time. Numbers are parsed on demand; a value that is not one is a fault of the file.
#pragma once

#include "cadhost/formats/dxf/tag_reader.h"
#include "host/host_types.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace cadhost::dxf {

class Record {
public:
    explicit Record(std::string_view bytes) : bytes_(bytes) {}

    // Starts the next record with its first tag.
    void Begin(const Tag& first) {
        tags_.clear();
        tags_.push_back(first);
    }
    void Add(const Tag& tag) { tags_.push_back(tag); }
    // Finds the first tag of each indexed group code, up to the record's embedded object or
    // extended data. Called once the record is complete.
    void Index();

    const std::vector<Tag>& Tags() const { return tags_; }
    // The record's type: the value of its 0 tag, without blanks.
    std::string_view Type() const { return Trimmed(Value(tags_.front())); }
    std::string_view Value(const Tag& t) const { return bytes_.substr(t.offset, t.length); }
    // The first tag of the group code, or nullptr.
    const Tag* First(int code) const;

    double Number(const Tag& t) const;
    double Number(int code, double fallback) const;
    int Integer(int code, int fallback) const;
    // The point whose x is group code `xCode`, y `xCode + 10` and z `xCode + 20`.
    qx::host::point Point(int xCode) const;

private:
    // The group codes whose first tag in a record is found at once.
    static constexpr int kIndexedCodes = 100;
    static constexpr std::uint32_t kNoTag = ~std::uint32_t{0};

    std::string_view bytes_;
    std::vector<Tag> tags_;
    std::array<std::uint32_t, kIndexedCodes> first_{};
};

} // namespace cadhost::dxf
