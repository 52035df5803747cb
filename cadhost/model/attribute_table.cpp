#include "cadhost/model/attribute_table.h"

#include <algorithm>
#include <utility>

namespace cadhost {

std::optional<Attribute> AttributeFromRecord(const AttribRec& rec) {
    if (rec.atrtype != qx::host::kAtrInteger && rec.atrtype != qx::host::kAtrText) {
        return std::nullopt;
    }
    Attribute a;
    a.type = rec.atrtype;
    const auto nameLen = std::min<std::size_t>(rec.nameLen, kMaxAttributeNameLength);
    a.name.assign(rec.name, nameLen);
    if (a.type == qx::host::kAtrInteger) {
        a.intValue = rec.value.intValue;
    } else {
        a.textValue = rec.value.strValue.str();
    }
    return a;
}

void FillRecord(const Attribute& attribute, AttribRec& rec) {
    rec = AttribRec{};
    rec.atrtype = attribute.type;
    const auto nameLen = std::min(attribute.name.size(), kMaxAttributeNameLength);
    rec.nameLen = static_cast<std::uint8_t>(nameLen);
    std::copy_n(attribute.name.begin(), nameLen, rec.name);
    if (attribute.type == qx::host::kAtrText) {
        rec.value.strValue.assign(attribute.textValue);
    } else {
        rec.value.intValue = attribute.intValue;
    }
}

const Attribute* AttributeTable::Find(std::string_view name) const {
    const auto it = std::find_if(attributes_.begin(), attributes_.end(),
                                 [name](const Attribute& a) { return a.name == name; });
    return it == attributes_.end() ? nullptr : &*it;
}

Attribute* AttributeTable::FindMutable(std::string_view name) {
    return const_cast<Attribute*>(std::as_const(*this).Find(name));
}

void AttributeTable::Set(Attribute attribute) {
    if (Attribute* existing = FindMutable(attribute.name)) {
        *existing = std::move(attribute);
        return;
    }
    attributes_.push_back(std::move(attribute));
}

bool AttributeTable::Update(const Attribute& attribute) {
    Attribute* existing = FindMutable(attribute.name);
    if (existing == nullptr) {
        return false;
    }
    *existing = attribute;
    return true;
}

} // namespace cadhost
