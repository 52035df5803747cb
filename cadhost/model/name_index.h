// The index of entity names: which slot holds the entity of a name. The names themselves stay
// in the entities; the index holds only slot numbers in one flat open-addressed table (linear
// probing), so a named entity costs 6 to 13 bytes of index and no allocation of its own. A DXF
// drawing names every entity by its handle, so this is on the path of every entity read.
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
        for (std::size_t i = Home(name);; i = (i + 1) & mask_) {
            const std::uint32_t entry = table_[i];
            if (entry == kEmpty)
                return std::nullopt;
            if (nameOf(entry - 1) == name)
                return entry - 1;
        }
    }

    // Adds the slot under its name unless the name is taken; false when it is.
    template <typename NameOf>
    bool Add(std::string_view name, std::uint32_t slot, const NameOf& nameOf) {
        // Filled to at most five eighths: probes stay short, and a drawing of a little over a
        // power of two of entities (a million is 2^20 and some) does not need a table twice as
        // large as one just over half full.
        if ((count_ + 1) * 8 > table_.size() * 5)
            Grow(nameOf);
        std::size_t i = Home(name);
        for (; table_[i] != kEmpty; i = (i + 1) & mask_) {
            if (nameOf(table_[i] - 1) == name)
                return false;
        }
        table_[i] = slot + 1;
        ++count_;
        return true;
    }

private:
    static constexpr std::uint32_t kEmpty = 0; // entries hold the slot plus one
    static constexpr std::size_t kFirstSize = 64;

    std::size_t Home(std::string_view name) const {
        return std::hash<std::string_view>{}(name)&mask_;
    }

    template <typename NameOf> void Grow(const NameOf& nameOf) {
        std::vector<std::uint32_t> old = std::move(table_);
        const std::size_t size = old.empty() ? kFirstSize : old.size() * 2;
        // The table of a large drawing fills megabytes at once: huge pages, asked for before
        // the first touch, make that a few faults instead of one per 4 KiB.
        table_.reserve(size);
        AdviseHugePages(table_.data(), size * sizeof(std::uint32_t));
        table_.assign(size, kEmpty);
        mask_ = table_.size() - 1;
        for (const std::uint32_t entry : old) {
            if (entry == kEmpty)
                continue;
            std::size_t i = Home(nameOf(entry - 1));
            while (table_[i] != kEmpty)
                i = (i + 1) & mask_;
            table_[i] = entry;
        }
    }

    std::vector<std::uint32_t> table_;
    std::size_t mask_ = 0;
    std::size_t count_ = 0;
};

} // namespace cadhost
