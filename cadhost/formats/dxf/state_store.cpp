#include "cadhost/formats/dxf/state_store.h"

#include "host/codepage.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace cadhost::dxf {

namespace {

constexpr std::string_view kGroupDictionaryName = "ACAD_GROUP";

std::string DefaultSetName(int set) {
    return "Set " + std::to_string(set);
}

std::string Hex(std::uint64_t handle) {
    char buf[24];
    const int n = std::snprintf(buf, sizeof buf, "%llX", static_cast<unsigned long long>(handle));
    return std::string(buf, static_cast<std::size_t>(n));
}

// The objects of the OBJECTS section as ranges of its tags.
struct Object {
    std::size_t first = 0; // the 0 tag
    std::size_t end = 0;   // one past the last tag
};

struct DictionaryEntry {
    std::string_view name;
    std::string_view handle;
    Span span; // both tags, line ends included
};

class ObjectsView {
public:
    ObjectsView(const Document& doc, const std::vector<Tag>& tags, std::size_t objectsEnd)
        : doc_(doc), tags_(tags), objectsEnd_(objectsEnd) {
        for (std::size_t i = 0; i < tags.size(); ++i) {
            if (tags[i].code != 0)
                continue;
            if (!objects_.empty())
                objects_.back().end = i;
            objects_.push_back(Object{i, tags.size()});
        }
    }

    const std::vector<Object>& Objects() const { return objects_; }

    std::string_view Value(const Tag& t) const {
        return doc_.image.Bytes().substr(t.offset, t.length);
    }
    std::string_view Type(const Object& o) const { return Trimmed(Value(tags_[o.first])); }

    std::string_view Handle(const Object& o) const {
        for (std::size_t i = o.first; i < o.end; ++i) {
            if (tags_[i].code == 5)
                return Trimmed(Value(tags_[i]));
        }
        return {};
    }

    const Object* Find(std::string_view handle) const {
        for (const Object& o : objects_) {
            if (!handle.empty() && Handle(o) == handle)
                return &o;
        }
        return nullptr;
    }

    // From the object's first tag to the next object, or to the section's end.
    Span Whole(const Object& o) const {
        const std::size_t end = o.end < tags_.size() ? tags_[o.end].start : objectsEnd_;
        return Span{tags_[o.first].start, end};
    }

    // Where a new entry of a dictionary goes: after its last entry, before any extended data.
    std::size_t InsertPoint(const Object& o) const {
        for (std::size_t i = o.first; i < o.end; ++i) {
            if (tags_[i].code == 1001)
                return tags_[i].start;
        }
        return Whole(o).end;
    }

    std::vector<DictionaryEntry> Entries(const Object& o) const {
        std::vector<DictionaryEntry> entries;
        for (std::size_t i = o.first; i + 1 < o.end; ++i) {
            const Tag& name = tags_[i];
            const Tag& handle = tags_[i + 1];
            if (name.code != 3 || (handle.code != 350 && handle.code != 360))
                continue;
            entries.push_back(DictionaryEntry{
                Value(name), Trimmed(Value(handle)),
                Span{name.start, ValueLineEnd(doc_.image.Bytes(), handle.offset, handle.length)}});
            ++i;
        }
        return entries;
    }

    // The tags of the object after the first subclass marker named `subclass`.
    std::pair<std::size_t, std::size_t> After(const Object& o, std::string_view subclass) const {
        for (std::size_t i = o.first; i < o.end; ++i) {
            if (tags_[i].code == 100 && Trimmed(Value(tags_[i])) == subclass)
                return {i + 1, o.end};
        }
        return {o.end, o.end};
    }

    const Tag& At(std::size_t i) const { return tags_[i]; }

private:
    const Document& doc_;
    const std::vector<Tag>& tags_;
    std::size_t objectsEnd_;
    std::vector<Object> objects_;
};

std::optional<std::int32_t> Int32(std::string_view v) {
    v = Trimmed(v);
    std::int32_t n = 0;
    const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), n);
    if (v.empty() || ec != std::errc() || end != v.data() + v.size())
        return std::nullopt;
    return n;
}

// A text of the store as the host holds it; what the host cannot hold is replaced.
std::string HostText(const Document& doc, std::string_view raw) {
    std::string host;
    if (doc.codec.ToHost(raw, host) == TextFit::Held)
        return host;
    std::string utf8;
    doc.codec.ToUtf8(raw, utf8);
    return qx::host::Utf8ToCp1252Lossy(DecodeUnicodeEscapes(utf8));
}

void ReadStateRecord(const Document& doc, const ObjectsView& view, const Object& record,
                     Drawing& drawing) {
    auto [i, end] = view.After(record, "AcDbXrecord");
    if (i < end && view.At(i).code == 280)
        ++i; // the cloning flag
    if (i >= end || view.At(i).code != 70 || Int32(view.Value(view.At(i))) != kStateRecordLayout)
        return; // a layout this host does not know: the record is replaced on the next save
    ++i;
    if (i < end && view.At(i).code == 91) {
        drawing.SaveVars().selSetMask = Int32(view.Value(view.At(i))).value_or(0);
        ++i;
    }
    for (; i + 1 < end; ++i) {
        const Tag& name = view.At(i);
        const Tag& value = view.At(i + 1);
        if (name.code != 1)
            continue;
        Attribute a;
        a.name = HostText(doc, view.Value(name));
        if (value.code == 90) {
            a.type = qx::host::kAtrInteger;
            a.intValue = Int32(view.Value(value)).value_or(0);
        } else if (value.code == 3) {
            a.type = qx::host::kAtrText;
            a.textValue = HostText(doc, view.Value(value));
        } else {
            continue;
        }
        ++i;
        if (!a.name.empty() && a.name.size() <= kMaxAttributeNameLength)
            drawing.Attributes().Set(std::move(a));
    }
}

// The set number of a group entry of cadhost's, or -1.
int SetNumber(std::string_view entryName) {
    if (!entryName.starts_with(kSetGroupPrefix) || entryName.size() != kSetGroupPrefix.size() + 1)
        return -1;
    const char digit = entryName.back();
    return digit >= '0' && digit < '0' + kSelectionSetCount ? digit - '0' : -1;
}

void ReadSetGroup(const Document& doc, const ObjectsView& view, const Object& group, int set,
                  Drawing& drawing, StoreLayout& layout) {
    auto [i, end] = view.After(group, "AcDbGroup");
    for (; i < end; ++i) {
        const Tag& t = view.At(i);
        if (t.code == 300) {
            drawing.SelectionSets().SetName(set, HostText(doc, view.Value(t)));
        } else if (t.code == 340) {
            const std::string_view handle = Trimmed(view.Value(t));
            const lgl_addr addr = drawing.FindEntityByName(handle);
            if (IsNil(addr))
                layout.hiddenMembers[static_cast<std::size_t>(set)].emplace_back(handle);
            else
                drawing.SelectionSets().Add(set, addr);
        }
    }
}

void ReadGroups(const Document& doc, const ObjectsView& view, const Object& dictionary,
                Drawing& drawing, StoreLayout& layout) {
    for (const DictionaryEntry& entry : view.Entries(dictionary)) {
        const int set = SetNumber(entry.name);
        if (set < 0)
            continue;
        layout.oldStore.push_back(entry.span);
        const Object* group = view.Find(entry.handle);
        if (group == nullptr || view.Type(*group) != "GROUP")
            continue;
        layout.oldStore.push_back(view.Whole(*group));
        ReadSetGroup(doc, view, *group, set, drawing, layout);
    }
}

// Tags written into the file in its own style.
class TagWriter {
public:
    explicit TagWriter(const Document& doc) : doc_(doc) {}

    void Add(int code, std::string_view value) {
        char buf[16];
        const int n = std::snprintf(buf, sizeof buf, doc_.paddedCodes ? "%3d" : "%d", code);
        out_.append(buf, static_cast<std::size_t>(n));
        out_ += doc_.lineEnd;
        out_ += value;
        out_ += doc_.lineEnd;
    }
    void Add(int code, std::int64_t value) { Add(code, std::to_string(value)); }
    void Text(int code, std::string_view host) { Add(code, doc_.codec.FromHost(host)); }

    // The head of an object that a dictionary owns.
    void ObjectHead(std::string_view type, std::string_view handle, std::string_view owner) {
        Add(0, type);
        Add(5, handle);
        Add(102, "{ACAD_REACTORS");
        Add(330, owner);
        Add(102, "}");
        Add(330, owner);
    }

    std::string Take() { return std::move(out_); }

private:
    const Document& doc_;
    std::string out_;
};

bool HiddenMembersKept(const Document& doc, const Drawing& drawing, std::size_t set) {
    // Members the drawing does not show stay in the set unless the set was emptied since the
    // load: then its old members are the first ones still.
    const auto& before = doc.loaded.setMembers[set];
    const auto& now = drawing.SelectionSets().Members(static_cast<int>(set));
    return now.size() >= before.size() && std::equal(before.begin(), before.end(), now.begin());
}

} // namespace

HostState CaptureState(const Drawing& drawing) {
    HostState s;
    s.attributes = drawing.Attributes().All();
    for (int i = 0; i < kSelectionSetCount; ++i) {
        const auto k = static_cast<std::size_t>(i);
        s.setNames[k] = std::string(drawing.SelectionSets().Name(i));
        s.setMembers[k] = drawing.SelectionSets().Members(i);
    }
    s.selSetMask = drawing.SaveVars().selSetMask;
    return s;
}

void ReadStateStore(const Document& doc, const std::vector<Tag>& objects, std::size_t objectsEnd,
                    Drawing& drawing, StoreLayout& layout) {
    layout.objectsEnd = objectsEnd;
    const ObjectsView view(doc, objects, objectsEnd);
    if (view.Objects().empty() || view.Type(view.Objects().front()) != "DICTIONARY" ||
        view.Handle(view.Objects().front()).empty()) {
        layout.unavailable = "the file has no named object dictionary";
        return;
    }
    const Object& root = view.Objects().front();
    layout.rootHandle = std::string(view.Handle(root));
    layout.rootInsert = view.InsertPoint(root);
    for (const DictionaryEntry& entry : view.Entries(root)) {
        if (entry.name == kStateRecordName) {
            layout.oldStore.push_back(entry.span);
            const Object* record = view.Find(entry.handle);
            if (record == nullptr || view.Type(*record) != "XRECORD")
                continue;
            layout.oldStore.push_back(view.Whole(*record));
            ReadStateRecord(doc, view, *record, drawing);
        } else if (entry.name == kGroupDictionaryName && layout.groupDictHandle.empty()) {
            const Object* groups = view.Find(entry.handle);
            if (groups == nullptr || view.Type(*groups) != "DICTIONARY")
                continue;
            layout.groupDictHandle = std::string(entry.handle);
            layout.groupInsert = view.InsertPoint(*groups);
            ReadGroups(doc, view, *groups, drawing, layout);
        }
    }
}

std::vector<Edit> StateStoreEdits(const Document& doc, const Drawing& drawing) {
    const StoreLayout& store = doc.store;
    std::vector<Edit> edits;
    // Two entries may name one object: each span goes once.
    std::vector<Span> old = store.oldStore;
    std::sort(old.begin(), old.end(), [](const Span& a, const Span& b) {
        return a.begin != b.begin ? a.begin < b.begin : a.end < b.end;
    });
    old.erase(std::unique(old.begin(), old.end(),
                          [](const Span& a, const Span& b) {
                              return a.begin == b.begin && a.end == b.end;
                          }),
              old.end());
    for (const Span& span : old)
        edits.push_back(Edit{span.begin, span.end, {}});

    std::uint64_t next = store.nextHandle;
    const std::string record = Hex(next++);
    const bool newGroupDict = store.groupDictHandle.empty();
    const std::string groupDict = newGroupDict ? Hex(next++) : store.groupDictHandle;

    TagWriter objects(doc);
    objects.ObjectHead("XRECORD", record, store.rootHandle);
    objects.Add(100, "AcDbXrecord");
    objects.Add(280, 1);
    objects.Add(70, kStateRecordLayout);
    objects.Add(91, drawing.SaveVars().selSetMask);
    for (const Attribute& a : drawing.Attributes().All()) {
        objects.Text(1, a.name);
        if (a.type == qx::host::kAtrText)
            objects.Text(3, a.textValue);
        else
            objects.Add(90, a.intValue);
    }

    TagWriter groupEntries(doc);
    TagWriter groups(doc);
    const SelectionSetTable& sets = drawing.SelectionSets();
    for (int set = 0; set < kSelectionSetCount; ++set) {
        const auto k = static_cast<std::size_t>(set);
        const bool keepHidden = HiddenMembersKept(doc, drawing, k);
        const bool hidden = keepHidden && !store.hiddenMembers[k].empty();
        if (sets.Name(set) == DefaultSetName(set) && sets.Members(set).empty() && !hidden)
            continue;
        const std::string handle = Hex(next++);
        groupEntries.Add(3, std::string(kSetGroupPrefix) + std::to_string(set));
        groupEntries.Add(350, handle);
        groups.ObjectHead("GROUP", handle, groupDict);
        groups.Add(100, "AcDbGroup");
        groups.Text(300, sets.Name(set));
        groups.Add(70, 0);
        groups.Add(71, 1);
        for (const lgl_addr member : sets.Members(set)) {
            const Entity* e = drawing.FindEntity(member);
            if (e != nullptr && !e->name.empty())
                groups.Add(340, e->name);
        }
        if (keepHidden) {
            for (const std::string& h : store.hiddenMembers[k])
                groups.Add(340, h);
        }
    }

    // Entries first: a dictionary may be the last object, so its end and the section's end
    // can be one position, and edits at one position apply in the order given.
    TagWriter rootEntries(doc);
    rootEntries.Add(3, kStateRecordName);
    rootEntries.Add(350, record);
    if (newGroupDict) {
        rootEntries.Add(3, kGroupDictionaryName);
        rootEntries.Add(350, groupDict);
    }
    edits.push_back(Edit{store.rootInsert, store.rootInsert, rootEntries.Take()});
    if (newGroupDict) {
        objects.ObjectHead("DICTIONARY", groupDict, store.rootHandle);
        objects.Add(100, "AcDbDictionary");
        objects.Add(281, 1);
        edits.push_back(Edit{store.objectsEnd, store.objectsEnd,
                             objects.Take() + groupEntries.Take() + groups.Take()});
    } else {
        edits.push_back(Edit{store.groupInsert, store.groupInsert, groupEntries.Take()});
        edits.push_back(Edit{store.objectsEnd, store.objectsEnd, objects.Take() + groups.Take()});
    }
    if (store.handSeed)
        edits.push_back(Edit{store.handSeed->begin, store.handSeed->end, Hex(next)});
    return edits;
}

} // namespace cadhost::dxf
