// The index of entity names: which slot holds the entity of a name. The names themselves stay
// in the entities; the index holds only numbers, in two parts:
//
// - handles in order: names that are DXF handles written as such (upper-case hexadecimal
//   without leading zeros) and come in increasing order, as a DXF file's entities mostly do,
//   are kept as numbers in one sorted list: 12 bytes each, appended at its end, so adding them
//   reads no memory but the list's last entry;
// - every other name goes to a flat open-addressed table (linear probing) of slot numbers and
//   name hashes, which probes without reading other entities' names.
//
// A DXF drawing names every entity by its handle, so this is on the path of every entity read:
// in a large drawing a hash table of all the names would cost a cache miss for every entity.
#pragma once

#include "cadhost/model/huge_pages.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace cadhost {

class NameIndex {
public:
    bool empty() const { return handles_.empty() && count_ == 0; }

    // Makes room for `count` names in order at once (address space until they come).
    void Reserve(std::size_t count) {
        handles_.reserve(count);
        handleSlots_.reserve(count);
        AdviseHugePages(handles_.data(), count * sizeof(std::uint64_t));
        AdviseHugePages(handleSlots_.data(), count * sizeof(std::uint32_t));
    }

    // The slot of the name, if any; `nameOf(slot)` gives the name of a slot in the index.
    template <typename NameOf>
    std::optional<std::uint32_t> Find(std::string_view name, const NameOf& nameOf) const {
        if (const auto handle = HandleOf(name)) {
            if (const auto slot = FindHandle(*handle))
                return slot;
        }
        return FindInTable(name, nameOf);
    }

    // Adds the slot under its name unless the name is taken; false when it is.
    template <typename NameOf>
    bool Add(std::string_view name, std::uint32_t slot, const NameOf& nameOf) {
        const auto handle = HandleOf(name);
        if (handle && (handles_.empty() || *handle > handles_.back())) {
            if (count_ != 0 && FindInTable(name, nameOf))
                return false;
            handles_.push_back(*handle);
            handleSlots_.push_back(slot);
            return true;
        }
        if (handle && FindHandle(*handle))
            return false;
        return AddToTable(name, slot, nameOf);
    }

private:
    struct Entry {
        std::uint32_t slot; // the slot plus one; kEmpty for none
        std::uint32_t hash;
    };
    static constexpr std::uint32_t kEmpty = 0;
    static constexpr std::size_t kFirstSize = 64;
    static constexpr std::size_t kLongestHandle = 16; // hexadecimal digits of 64 bits

    // The number a name stands for when it is a handle written as DXF writes handles, so that
    // the number gives the name back exactly; nothing for any other name.
    static std::optional<std::uint64_t> HandleOf(std::string_view name) {
        if (name.empty() || name.size() > kLongestHandle || (name[0] == '0' && name.size() > 1))
            return std::nullopt;
        std::uint64_t value = 0;
        for (const char c : name) {
            int digit = 0;
            if (c >= '0' && c <= '9')
                digit = c - '0';
            else if (c >= 'A' && c <= 'F')
                digit = c - 'A' + 10;
            else
                return std::nullopt;
            value = value << 4 | static_cast<std::uint64_t>(digit);
        }
        return value;
    }

    std::optional<std::uint32_t> FindHandle(std::uint64_t handle) const {
        const auto at = std::lower_bound(handles_.begin(), handles_.end(), handle);
        if (at == handles_.end() || *at != handle)
            return std::nullopt;
        return handleSlots_[static_cast<std::size_t>(at - handles_.begin())];
    }

    static std::uint32_t Hash(std::string_view name) {
        const std::size_t h = std::hash<std::string_view>{}(name);
        return static_cast<std::uint32_t>(h ^ (h >> 32));
    }

    template <typename NameOf>
    std::optional<std::uint32_t> FindInTable(std::string_view name, const NameOf& nameOf) const {
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

    template <typename NameOf>
    bool AddToTable(std::string_view name, std::uint32_t slot, const NameOf& nameOf) {
        // Filled to at most five eighths: probes stay short.
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

    std::vector<std::uint64_t> handles_;     // in increasing order
    std::vector<std::uint32_t> handleSlots_; // the slot of each
    std::vector<Entry> table_;
    std::size_t mask_ = 0;
    std::size_t count_ = 0; // names in the table
};

} // namespace cadhost
