#include "tests/support/fake_host.h"

#include "host/host_table.h"

#include <cstring>
#include <stdexcept>

namespace qx::test {

FakeHost* FakeHost::active_ = nullptr;

namespace {

std::string NameOf(const host::AttribRec& atr) {
    return std::string(atr.name, std::min<std::size_t>(atr.nameLen, sizeof(atr.name)));
}

host::AttribRec MakeRecord(const std::string& name, std::int32_t atrtype) {
    host::AttribRec atr;
    atr.atrtype = atrtype;
    atr.nameLen = static_cast<std::uint8_t>(std::min(name.size(), sizeof(atr.name)));
    std::memcpy(atr.name, name.data(), atr.nameLen);
    return atr;
}

} // namespace

// The host functions, as plain functions that reach the one active fake.
struct FakeHostCallbacks {
    static FakeHost& Self() { return *FakeHost::active_; }

    static void QX_HOST_CALL getpath(host::str255* text, host::i32 maxLen, host::i32 id) {
        const auto& paths = Self().paths_;
        const auto it = paths.find(id);
        const std::string path = it == paths.end() ? std::string() : it->second;
        text->assign(
            std::string_view(path).substr(0, static_cast<std::size_t>(std::max(maxLen, 0))));
    }

    static bool QX_HOST_CALL atr_sysfind(const host::str255* name, host::AttribRec* atr) {
        const auto& attributes = Self().attributes_;
        const auto it = attributes.find(name->str());
        if (it == attributes.end())
            return false;
        *atr = it->second;
        return true;
    }

    static void QX_HOST_CALL atr_init(host::AttribRec* atr, host::i32 atrtype) {
        *atr = host::AttribRec{};
        atr->atrtype = atrtype;
    }

    static void Record(FakeHost::AttributeSave::How how, const host::AttribRec& atr) {
        FakeHost::AttributeSave save{how, NameOf(atr), atr.atrtype, 0, {}};
        if (atr.atrtype == host::kAtrInteger)
            save.intValue = atr.value.intValue;
        else if (atr.atrtype == host::kAtrText)
            save.text = atr.value.strValue.str();
        Self().saves_.push_back(save);
    }

    static void QX_HOST_CALL atr_add2sys(host::AttribRec* atr) {
        Self().attributes_[NameOf(*atr)] = *atr;
        Record(FakeHost::AttributeSave::How::Added, *atr);
    }

    static void QX_HOST_CALL atr_update(host::AttribRec* atr) {
        auto& attributes = Self().attributes_;
        const auto it = attributes.find(NameOf(*atr));
        // The real host updates the attribute it found; one that was never found is a fault of
        // the caller, and a test must see it.
        if (it == attributes.end())
            throw std::logic_error("atr_update of an attribute the drawing does not have: " +
                                   NameOf(*atr));
        it->second = *atr;
        Record(FakeHost::AttributeSave::How::Updated, *atr);
    }
};

FakeHost::FakeHost() {
    if (active_ != nullptr)
        throw std::logic_error("only one FakeHost may exist at a time");
    active_ = this;
    host::HostTable& slots = host::Slots();
    slots.getpath = &FakeHostCallbacks::getpath;
    slots.atr_sysfind = &FakeHostCallbacks::atr_sysfind;
    slots.atr_init = &FakeHostCallbacks::atr_init;
    slots.atr_add2sys = &FakeHostCallbacks::atr_add2sys;
    slots.atr_update = &FakeHostCallbacks::atr_update;
}

FakeHost::~FakeHost() {
    host::HostTable& slots = host::Slots();
    slots.getpath = nullptr;
    slots.atr_sysfind = nullptr;
    slots.atr_init = nullptr;
    slots.atr_add2sys = nullptr;
    slots.atr_update = nullptr;
    active_ = nullptr;
}

void FakeHost::SetPath(std::int32_t id, const std::string& path) {
    paths_[id] = path;
}

void FakeHost::SetIntAttribute(const std::string& name, std::int32_t value) {
    host::AttribRec atr = MakeRecord(name, host::kAtrInteger);
    atr.value.intValue = value;
    attributes_[NameOf(atr)] = atr;
}

void FakeHost::SetTextAttribute(const std::string& name, const std::string& text) {
    host::AttribRec atr = MakeRecord(name, host::kAtrText);
    atr.value.strValue.assign(text);
    attributes_[NameOf(atr)] = atr;
}

void FakeHost::RemoveAttribute(const std::string& name) {
    attributes_.erase(name);
}

std::optional<std::int32_t> FakeHost::IntAttribute(const std::string& name) const {
    const auto it = attributes_.find(name);
    if (it == attributes_.end() || it->second.atrtype != host::kAtrInteger)
        return std::nullopt;
    // Copied out first: the packed record's field cannot be bound to a reference.
    const std::int32_t value = it->second.value.intValue;
    return value;
}

std::optional<std::string> FakeHost::TextAttribute(const std::string& name) const {
    const auto it = attributes_.find(name);
    if (it == attributes_.end() || it->second.atrtype != host::kAtrText)
        return std::nullopt;
    return it->second.value.strValue.str();
}

std::vector<std::string> FakeHost::SavedNames() const {
    std::vector<std::string> names;
    for (const auto& save : saves_)
        names.push_back(save.name);
    return names;
}

} // namespace qx::test
