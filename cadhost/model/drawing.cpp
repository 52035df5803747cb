#include "cadhost/model/drawing.h"

#include "cadhost/model/entity_record.h"
#include "cadhost/model/huge_pages.h"

#include <algorithm>
#include <limits>
#include <new>
#include <stdexcept>
#include <utility>

namespace cadhost {

Drawing::Drawing() = default;

lgl_addr Drawing::AddLayer(std::string name, bool on, bool locked) {
    if (name.empty() || FindLayerByName(name) != nullptr) {
        return {};
    }
    Layer layer;
    layer.addr = {kLayerPage, static_cast<std::int32_t>(layers_.size() + 1)};
    layer.name = std::move(name);
    layer.on = on;
    layer.locked = locked;
    layers_.push_back(std::move(layer));
    layerSlots_.emplace_back();
    if (IsNil(currentLayer_)) {
        currentLayer_ = layers_.back().addr;
    }
    return layers_.back().addr;
}

std::size_t Drawing::LayerIndex(lgl_addr layer) const {
    if (layer.page != kLayerPage || layer.ofs < 1 ||
        static_cast<std::size_t>(layer.ofs) > layers_.size()) {
        return layers_.size();
    }
    return static_cast<std::size_t>(layer.ofs) - 1;
}

const Layer* Drawing::FindLayer(lgl_addr addr) const {
    const std::size_t i = LayerIndex(addr);
    return i < layers_.size() ? &layers_[i] : nullptr;
}

Layer* Drawing::FindLayer(lgl_addr addr) {
    const std::size_t i = LayerIndex(addr);
    return i < layers_.size() ? &layers_[i] : nullptr;
}

const Layer* Drawing::FindLayerByName(std::string_view name) const {
    const auto it = std::find_if(layers_.begin(), layers_.end(),
                                 [name](const Layer& l) { return l.name == name; });
    return it == layers_.end() ? nullptr : &*it;
}

bool Drawing::SetCurrentLayer(lgl_addr layer) {
    if (FindLayer(layer) == nullptr) {
        return false;
    }
    currentLayer_ = layer;
    return true;
}

lgl_addr Drawing::NextLayer(lgl_addr layer) const {
    const std::size_t i = LayerIndex(layer);
    if (i + 1 >= layers_.size()) {
        return {};
    }
    return layers_[i + 1].addr;
}

lgl_addr Drawing::AddEntity(Entity entity, lgl_addr layer) {
    const std::size_t li = LayerIndex(layer);
    if (li == layers_.size()) {
        return {};
    }
    // Addresses are 32-bit: a drawing cannot grow past them.
    if (slots_.size() >= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        return {};
    }
    const auto slot = static_cast<std::uint32_t>(slots_.size());
    const auto nameOf = [this](std::uint32_t s) { return NameOfSlot(s); };
    if (!entity.name.empty() && !names_.Add(entity.name, slot, nameOf)) {
        return {};
    }
    entity.addr = {kEntityPage, static_cast<std::int32_t>(slot + 1)};
    entity.layer = layer;
    slots_.push_back(
        Slot{std::move(entity), static_cast<std::uint32_t>(layerSlots_[li].size()), false});
    layerSlots_[li].push_back(slot);
    return slots_.back().entity.addr;
}

void Drawing::ReserveEntities(std::size_t count) {
    // Room asked for in advance is a guess; where the system will not give that much address
    // space at once, the entities grow their room as they come instead.
    try {
        slots_.reserve(slots_.size() + count);
        names_.Reserve(slots_.size() + count);
    } catch (const std::bad_alloc&) {
        return;
    } catch (const std::length_error&) {
        return;
    }
    AdviseHugePages(slots_.data(), slots_.capacity() * sizeof(Slot));
}

const Drawing::Slot* Drawing::SlotAt(lgl_addr addr) const {
    if (addr.page != kEntityPage || addr.ofs < 1 ||
        static_cast<std::size_t>(addr.ofs) > slots_.size()) {
        return nullptr;
    }
    return &slots_[static_cast<std::size_t>(addr.ofs) - 1];
}

const Entity* Drawing::FindEntity(lgl_addr addr) const {
    const Slot* slot = SlotAt(addr);
    if (slot == nullptr || slot->erased) {
        return nullptr;
    }
    return &slot->entity;
}

lgl_addr Drawing::FindEntityByName(std::string_view name) const {
    const auto slot = names_.Find(name, [this](std::uint32_t s) { return NameOfSlot(s); });
    return slot ? slots_[*slot].entity.addr : lgl_addr{};
}

lgl_addr Drawing::EntityOnLayer(lgl_addr layer, std::size_t index) const {
    const std::size_t li = LayerIndex(layer);
    if (li == layers_.size() || index >= layerSlots_[li].size()) {
        return {};
    }
    const Slot& slot = slots_[layerSlots_[li][index]];
    return slot.erased ? lgl_addr{} : slot.entity.addr;
}

std::vector<lgl_addr> Drawing::Entities() const {
    std::vector<lgl_addr> out;
    out.reserve(slots_.size());
    for (const auto& onLayer : layerSlots_) {
        for (const std::uint32_t s : onLayer) {
            if (!slots_[s].erased) {
                out.push_back(slots_[s].entity.addr);
            }
        }
    }
    return out;
}

bool Drawing::UpdateFromRecord(const qx::host::EntityRec& rec) {
    const Entity* current = FindEntity(rec.addr);
    if (current == nullptr || current->type != rec.enttype) {
        return false;
    }
    const std::size_t slot = static_cast<std::size_t>(rec.addr.ofs) - 1;
    Entity updated = *current;
    ApplyRecord(rec, updated);
    if (updated == *current) {
        return true;
    }
    // A record that changed only the text, as a replacement does, is undone by the old text.
    std::string text = std::move(updated.text.text);
    updated.text.text = current->text.text;
    const bool textOnly = updated == *current;
    updated.text.text = std::move(text);
    RecordChange(slot, textOnly ? Replaced::Text : Replaced::Entity);
    slots_[slot].entity = std::move(updated);
    return true;
}

bool Drawing::SetText(lgl_addr addr, std::string text) {
    const Entity* current = FindEntity(addr);
    if (current == nullptr || current->type != qx::host::kEntText) {
        return false;
    }
    const std::size_t slot = static_cast<std::size_t>(addr.ofs) - 1;
    RecordChange(slot, Replaced::Text);
    slots_[slot].entity.text.text = std::move(text);
    return true;
}

bool Drawing::Erase(lgl_addr addr) {
    if (FindEntity(addr) == nullptr) {
        return false;
    }
    const std::size_t slot = static_cast<std::size_t>(addr.ofs) - 1;
    RecordChange(slot, Replaced::Nothing);
    slots_[slot].erased = true;
    ++erasedCount_;
    return true;
}

bool Drawing::Visits(const ModeRec& mode, const Slot& slot) const {
    return !slot.erased && AllowsType(mode, slot.entity.type);
}

lgl_addr Drawing::FirstOnLayerFrom(const ModeRec& mode, std::size_t layer, std::size_t pos) const {
    const auto& onLayer = layerSlots_[layer];
    if (pos + kPrefetchAhead < onLayer.size()) {
        PrefetchSlot(onLayer[pos + kPrefetchAhead]);
    }
    for (std::size_t i = pos; i < onLayer.size(); ++i) {
        const Slot& slot = slots_[onLayer[i]];
        if (Visits(mode, slot)) {
            return slot.entity.addr;
        }
    }
    return {};
}

lgl_addr Drawing::FirstInLayersFrom(const ModeRec& mode, std::size_t layer, std::size_t pos) const {
    for (std::size_t li = layer; li < layers_.size(); ++li) {
        const lgl_addr found = FirstOnLayerFrom(mode, li, li == layer ? pos : 0);
        if (!IsNil(found)) {
            return found;
        }
    }
    return {};
}

void Drawing::PrefetchSlot(std::size_t slot) const {
    if (slot < slots_.size()) {
        const char* at = reinterpret_cast<const char*>(&slots_[slot]);
        for (std::size_t line = 0; line < sizeof(Slot); line += 64) {
            __builtin_prefetch(at + line);
        }
    }
}

lgl_addr Drawing::FirstInSelectionFrom(const ModeRec& mode, const Selection& sel,
                                       std::size_t pos) const {
    // A walk asks for one entity after another and then reads it; the entity it will ask for
    // a few steps on is fetched into the cache now, so that the reads of a large drawing do not
    // each wait for memory.
    if (pos + kPrefetchAhead < sel.entities.size()) {
        const lgl_addr ahead = sel.entities[pos + kPrefetchAhead];
        if (ahead.page == kEntityPage) {
            PrefetchSlot(static_cast<std::size_t>(ahead.ofs) - 1);
        }
    }
    for (std::size_t i = pos; i < sel.entities.size(); ++i) {
        const Slot* slot = SlotAt(sel.entities[i]);
        if (slot != nullptr && Visits(mode, *slot)) {
            sel.lastAnswer = i;
            return slot->entity.addr;
        }
    }
    return {};
}

const Drawing::Selection* Drawing::FindSelection(std::int32_t number) const {
    if (number < 1 || static_cast<std::size_t>(number) > selections_.size()) {
        return nullptr;
    }
    return &selections_[static_cast<std::size_t>(number) - 1];
}

lgl_addr Drawing::FirstInMode(const ModeRec& mode) const {
    switch (KindOf(mode)) {
    case ScanKind::Drawing:
        return FirstInLayersFrom(mode, 0, 0);
    case ScanKind::Layer: {
        const std::size_t li = LayerIndex(mode.layer);
        return li == layers_.size() ? lgl_addr{} : FirstOnLayerFrom(mode, li, 0);
    }
    case ScanKind::Selection: {
        const Selection* sel = FindSelection(mode.selection);
        return sel == nullptr ? lgl_addr{} : FirstInSelectionFrom(mode, *sel, 0);
    }
    case ScanKind::None:
        break;
    }
    return {};
}

lgl_addr Drawing::NextInMode(const ModeRec& mode, lgl_addr after) const {
    // An erased entity still knows its place, so a walk goes on past an entity erased while
    // the walk stood on it.
    const Slot* slot = SlotAt(after);
    if (slot == nullptr) {
        return {};
    }
    const std::size_t li = LayerIndex(slot->entity.layer);
    switch (KindOf(mode)) {
    case ScanKind::Drawing:
        return FirstInLayersFrom(mode, li, slot->posOnLayer + 1);
    case ScanKind::Layer:
        if (!(slot->entity.layer == mode.layer)) {
            return {};
        }
        return FirstOnLayerFrom(mode, li, slot->posOnLayer + 1);
    case ScanKind::Selection: {
        const Selection* sel = FindSelection(mode.selection);
        if (sel == nullptr) {
            return {};
        }
        const std::size_t place = PlaceInSelection(*sel, after);
        if (place == sel->entities.size()) {
            return {};
        }
        return FirstInSelectionFrom(mode, *sel, place + 1);
    }
    case ScanKind::None:
        break;
    }
    return {};
}

std::size_t Drawing::PlaceInSelection(const Selection& sel, lgl_addr addr) const {
    const std::size_t hint = sel.lastAnswer;
    if (hint < sel.entities.size() && sel.entities[hint] == addr) {
        return hint;
    }
    if (addr.page != kEntityPage) {
        return sel.entities.size();
    }
    if (sel.byOfs.empty()) {
        sel.byOfs.reserve(sel.entities.size());
        for (std::size_t i = 0; i < sel.entities.size(); ++i) {
            sel.byOfs.emplace_back(sel.entities[i].ofs, static_cast<std::uint32_t>(i));
        }
        std::sort(sel.byOfs.begin(), sel.byOfs.end());
    }
    const auto it = std::lower_bound(sel.byOfs.begin(), sel.byOfs.end(),
                                     std::pair<std::int32_t, std::uint32_t>{addr.ofs, 0});
    if (it == sel.byOfs.end() || it->first != addr.ofs) {
        return sel.entities.size();
    }
    return it->second;
}

std::int32_t Drawing::CreateSelection(std::vector<lgl_addr> entities) {
    // Repeated addresses count once. Only entity addresses can repeat meaningfully; anything
    // else is kept once per value as well. The list is thinned where it is, since a selection
    // of a whole large drawing is megabytes long.
    std::vector<bool> taken(slots_.size() + 1, false);
    std::vector<lgl_addr> others;
    const auto repeated = [&](const lgl_addr addr) {
        const bool entity = addr.page == kEntityPage && addr.ofs >= 1 &&
                            static_cast<std::size_t>(addr.ofs) <= slots_.size();
        if (entity) {
            if (taken[static_cast<std::size_t>(addr.ofs)]) {
                return true;
            }
            taken[static_cast<std::size_t>(addr.ofs)] = true;
            return false;
        }
        if (std::find(others.begin(), others.end(), addr) != others.end()) {
            return true;
        }
        others.push_back(addr);
        return false;
    };
    std::size_t kept = 0;
    for (const lgl_addr addr : entities) {
        if (!repeated(addr)) {
            entities[kept++] = addr;
        }
    }
    entities.resize(kept);
    Selection sel;
    sel.entities = std::move(entities);
    selections_.push_back(std::move(sel));
    return static_cast<std::int32_t>(selections_.size());
}

void Drawing::BeginTransaction() {
    if (transactionDepth_++ == 0) {
        undoSteps_.push_back(UndoStep{true, {}});
    }
}

void Drawing::EndTransaction() {
    if (transactionDepth_ == 0) {
        return;
    }
    if (--transactionDepth_ > 0) {
        return;
    }
    // A transaction that changed nothing leaves no step: an undo must always undo something.
    if (undoSteps_.back().changes.empty()) {
        undoSteps_.pop_back();
    }
}

bool Drawing::WasChanged(lgl_addr addr) const {
    const Slot* slot = SlotAt(addr);
    return slot != nullptr && slot->changed;
}

void Drawing::RecordChange(std::size_t slot, Replaced replaced) {
    Slot& s = slots_[slot];
    s.changed = true;
    Change change{static_cast<std::uint32_t>(slot), s.erased, replaced, {}, nullptr};
    if (replaced == Replaced::Text) {
        change.text = s.entity.text.text;
    } else if (replaced == Replaced::Entity) {
        change.whole = std::make_shared<const Entity>(s.entity);
    }
    if (InTransaction()) {
        undoSteps_.back().changes.push_back(std::move(change));
        return;
    }
    undoSteps_.push_back(UndoStep{false, {std::move(change)}});
}

bool Drawing::Undo() {
    if (InTransaction()) {
        transactionDepth_ = 1;
        EndTransaction();
    }
    if (undoSteps_.empty()) {
        return false;
    }
    UndoStep step = std::move(undoSteps_.back());
    undoSteps_.pop_back();
    for (auto it = step.changes.rbegin(); it != step.changes.rend(); ++it) {
        if (it->replaced == Replaced::Text) {
            slots_[it->slot].entity.text.text = std::move(it->text);
        } else if (it->replaced == Replaced::Entity) {
            slots_[it->slot].entity = *it->whole;
        }
        if (slots_[it->slot].erased != it->erasedBefore) {
            erasedCount_ = it->erasedBefore ? erasedCount_ + 1 : erasedCount_ - 1;
        }
        slots_[it->slot].erased = it->erasedBefore;
    }
    return true;
}

std::size_t Drawing::UndoStepCount() const {
    // An open transaction that has changed nothing yet is not a step.
    return static_cast<std::size_t>(
        std::count_if(undoSteps_.begin(), undoSteps_.end(),
                      [](const UndoStep& s) { return !s.changes.empty(); }));
}

std::vector<UndoStepInfo> Drawing::UndoSteps() const {
    std::vector<UndoStepInfo> out;
    for (const UndoStep& step : undoSteps_) {
        if (step.changes.empty()) {
            continue;
        }
        UndoStepInfo info{step.transaction, {}};
        for (const Change& change : step.changes) {
            const lgl_addr addr = slots_[change.slot].entity.addr;
            if (std::find(info.entities.begin(), info.entities.end(), addr) ==
                info.entities.end()) {
                info.entities.push_back(addr);
            }
        }
        out.push_back(std::move(info));
    }
    return out;
}

} // namespace cadhost
