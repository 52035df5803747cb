// A fake host for unit tests: an in-memory store of drawing attributes and the host's paths,
// reached through the macro's host-function slots.
//
//     qx::test::FakeHost host;               // fills qx::host::Slots()
//     host.SetPath(qx::host::kPathMacro, "/tmp/x/macros/");
//     ... code under test calls atr_sysfind, atr_init, atr_add2sys, atr_update, getpath ...
//     EXPECT_EQ(host.IntAttribute("Increment"), 5);
//     EXPECT_EQ(host.SavedNames(), (std::vector<std::string>{"SearchStr", "WholeEnts"}));
//
// Only one FakeHost may exist at a time. Its destructor empties every slot it filled. Slots of
// other host functions are left as they were, so a test may fill more of them itself.
//
// Attribute names are matched exactly. Texts are the host's 8-bit (Windows-1252) texts.
#pragma once

#include "host/host_records.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace qx::test {

class FakeHost {
public:
    // One write of an attribute through atr_add2sys or atr_update, in the order they happened.
    struct AttributeSave {
        enum class How { Added, Updated };
        How how;
        std::string name;
        std::int32_t atrtype;
        std::int32_t intValue; // for kAtrInteger
        std::string text;      // for kAtrText
    };

    FakeHost();
    ~FakeHost();
    FakeHost(const FakeHost&) = delete;
    FakeHost& operator=(const FakeHost&) = delete;

    // What getpath returns for `id`; an id never set gives an empty text.
    void SetPath(std::int32_t id, const std::string& path);

    // The drawing's attributes, set up or inspected directly (not recorded as saves).
    void SetIntAttribute(const std::string& name, std::int32_t value);
    void SetTextAttribute(const std::string& name, const std::string& text);
    void RemoveAttribute(const std::string& name);
    std::optional<std::int32_t> IntAttribute(const std::string& name) const; // integer only
    std::optional<std::string> TextAttribute(const std::string& name) const; // text only
    std::size_t AttributeCount() const { return attributes_.size(); }

    // Every save since construction or the last ClearSaves, oldest first.
    const std::vector<AttributeSave>& Saves() const { return saves_; }
    std::vector<std::string> SavedNames() const;
    void ClearSaves() { saves_.clear(); }

private:
    static FakeHost* active_;
    friend struct FakeHostCallbacks;

    std::map<std::int32_t, std::string> paths_;
    std::map<std::string, host::AttribRec> attributes_;
    std::vector<AttributeSave> saves_;
};

} // namespace qx::test
