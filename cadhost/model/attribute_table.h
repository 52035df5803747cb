// The drawing's attributes: named integer and text values kept with the drawing.
#pragma once

#include "host/host_records.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cadhost {

using qx::host::AttribRec;

inline constexpr std::size_t kMaxAttributeNameLength = 13;

struct Attribute {
    std::string name; // Windows-1252, at most 13 characters
    std::int32_t type = qx::host::kAtrInteger;
    std::int32_t intValue = 0;
    std::string textValue; // Windows-1252, at most 255 characters
    friend bool operator==(const Attribute&, const Attribute&) = default;
};

// The attribute a record describes, or nullopt when the record's type is neither integer nor
// text (the only types this host keeps).
std::optional<Attribute> AttributeFromRecord(const AttribRec& rec);
void FillRecord(const Attribute& attribute, AttribRec& rec);

// Names are compared byte for byte, so "SearchStr" and "searchstr" are two attributes: the
// host never guesses that two spellings were meant to be the same.
class AttributeTable {
public:
    const Attribute* Find(std::string_view name) const;
    // Adds the attribute, or replaces the value of the one with its name: a drawing never
    // holds two attributes of one name.
    void Set(Attribute attribute);
    // Changes an existing attribute; false when there is none of that name.
    bool Update(const Attribute& attribute);
    const std::vector<Attribute>& All() const { return attributes_; }

private:
    Attribute* FindMutable(std::string_view name);

    std::vector<Attribute> attributes_; // in the order they were added
};

} // namespace cadhost
