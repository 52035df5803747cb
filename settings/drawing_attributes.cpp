#include "settings/drawing_attributes.h"

#include "host/host_records.h"
#include "host/host_table.h"

#include <algorithm>
#include <cstring>

namespace qx::settings::detail {
namespace {

host::AttribRec& SharedRecord() {
    static host::AttribRec record;
    return record;
}

bool AttributesAvailable() {
    const host::HostTable& h = host::Host();
    return h.atr_sysfind != nullptr && h.atr_init != nullptr && h.atr_add2sys != nullptr &&
           h.atr_update != nullptr;
}

// Finds `name` into the shared record.
bool Find(const std::string& name) {
    if (!AttributesAvailable())
        return false;
    const host::str255 key(name);
    return host::Host().atr_sysfind(&key, &SharedRecord());
}

void SetName(host::AttribRec& record, const std::string& name) {
    const std::size_t length = std::min(name.size(), sizeof(record.name));
    record.nameLen = static_cast<std::uint8_t>(length);
    std::memset(record.name, 0, sizeof(record.name));
    std::memcpy(record.name, name.data(), length);
}

template <typename SetValue>
void Write(const std::string& name, std::int32_t atrtype, SetValue setValue) {
    if (!AttributesAvailable())
        return;
    host::AttribRec& record = SharedRecord();
    if (Find(name)) {
        record.atrtype = atrtype;
        setValue(record);
        host::Host().atr_update(&record);
        return;
    }
    host::Host().atr_init(&record, atrtype);
    SetName(record, name);
    setValue(record);
    host::Host().atr_add2sys(&record);
}

} // namespace

std::optional<std::int32_t> FindIntAttribute(const std::string& name) {
    if (!Find(name) || SharedRecord().atrtype != host::kAtrInteger)
        return std::nullopt;
    // Copied out first: the packed record's field cannot be bound to a reference.
    const std::int32_t value = SharedRecord().value.intValue;
    return value;
}

std::optional<std::string> FindTextAttribute(const std::string& name) {
    if (!Find(name) || SharedRecord().atrtype != host::kAtrText)
        return std::nullopt;
    return SharedRecord().value.strValue.str();
}

void WriteIntAttribute(const std::string& name, std::int32_t value) {
    Write(name, host::kAtrInteger, [value](host::AttribRec& r) {
        r.value = {};
        r.value.intValue = value;
    });
}

void WriteTextAttribute(const std::string& name, const std::string& text) {
    Write(name, host::kAtrText, [&text](host::AttribRec& r) {
        r.value = {};
        r.value.strValue.assign(text);
    });
}

} // namespace qx::settings::detail
