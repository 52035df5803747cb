// The index of entity names: which slot holds the entity of a name. The names themselves stay
// in the entities; the index holds slot numbers and the names' hashes in one flat
// open-addressed table (linear probing), so a named entity costs 13 to 26 bytes of index and no
// allocation of its own. A DXF drawing names every entity by its handle, so this is on the path
// of every entity read.
//
// Each entry keeps its name's hash beside the slot, so that neither a probe past another name
// nor a growth of the table reads that name from its entity: in a large drawing each such read
// is a cache miss somewhere in a hundred megabytes of entities.
#pragma once

#include "cadhost/model/huge_pages.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace cadhost {

class NameIndex {
public:
    bool empty() const { return count_ == 0; }

    // The slot of the name, if any; `nameOf(slot)` gives the name of a slot in the index.
    template <typename NameOf>
    std::optional<std::uint32_t> Find(std::string_view name, const NameOf& nameOf) const {
        if (count_ == 0)
            return std::nullopt;
        const std::uint32_t hash = Hash(name);
        for (std::size_t i = hash & mask_;; i = (i + 1) & mask_) {
            const Entry entry = table_[i];
            if (entry.slot == kEmpty)
                return std::nullopt;
            if (entry.hash == hash && nameOf(entry.slot - 1) == name)
                return entry.slot - 1;
        }
    }

    // Adds the slot under its name unless the name is taken; false when it is.
    template <typename NameOf>
    bool Add(std::string_view name, std::uint32_t slot, const NameOf& nameOf) {
        // Filled to at most five eighths: probes stay short, and a drawing of a little over a
        // power of two of entities (a million is 2^20 and some) does not need a table twice as
        // large as one just over half full.
        if ((count_ + 1) * 8 > table_.size() * 5)
            Grow();
        const std::uint32_t hash = Hash(name);
        std::size_t i = hash & mask_;
        for (; table_[i].slot != kEmpty; i = (i + 1) & mask_) {
            if (table_[i].hash == hash && nameOf(table_[i].slot - 1) == name)
                return false;
        }
        table_[i] = Entry{slot + 1, hash};
        ++count_;
        return true;
    }

private:
    struct Entry {
        std::uint32_t slot; // the slot plus one; kEmpty for none
        std::uint32_t hash;
    };
    static constexpr std::uint32_t kEmpty = 0;
    static constexpr std::size_t kFirstSize = 64;

    static std::uint32_t Hash(std::string_view name) {
        const std::size_t h = std::hash<std::string_view>{}(name);
        return static_cast<std::uint32_t>(h ^ (h >> 32));
    }

    void Grow() {
        std::vector<Entry> old = std::move(table_);
        const std::size_t size = old.empty() ? kFirstSize : old.size() * 2;
        // The table of a large drawing fills megabytes at once: huge pages, asked for before
        // the first touch, make that a few faults instead of one per 4 KiB.
        table_.reserve(size);
        AdviseHugePages(table_.data(), size * sizeof(Entry));
        table_.assign(size, Entry{kEmpty, 0});
        mask_ = table_.size() - 1;
        for (const Entry entry : old) {
            if (entry.slot == kEmpty)
                continue;
            std::size_t i = entry.hash & mask_;
            while (table_[i].slot != kEmpty)
                i = (i + 1) & mask_;
            table_[i] = entry;
        }
    }

    std::vector<Entry> table_;
    std::size_t mask_ = 0;
    std::size_t count_ = 0;
};

} // namespace cadhost
