// The stand-in host's drawing: layers, entities, scans, selection sets, attributes, the view,
// the saved variables and undo.
//
// Addresses: layers are on page 1 and entities on page 2, numbered from 1 in the order they
// were added; {0, 0} is nil. An address is never reused, so an erased entity's address stays
// unreadable instead of naming a newer entity.
#pragma once

#include "cadhost/model/attribute_table.h"
#include "cadhost/model/display_list.h"
#include "cadhost/model/entity.h"
#include "cadhost/model/layer.h"
#include "cadhost/model/name_index.h"
#include "cadhost/model/scan_mode.h"
#include "cadhost/model/selection_set_table.h"
#include "cadhost/model/view_state.h"
#include "host/host_records.h"
#include "host/host_types.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace cadhost {

using qx::host::SaveVarRec;

inline constexpr std::int32_t kLayerPage = 1;
inline constexpr std::int32_t kEntityPage = 2;

inline bool IsNil(lgl_addr addr) {
    return addr == lgl_addr{};
}

// One undo step as a scenario sees it.
struct UndoStepInfo {
    bool transaction = false;       // made between UndoStartTransaction and UndoEndTransaction
    std::vector<lgl_addr> entities; // the entities it changes back, each once
};

class Drawing {
public:
    Drawing();

    // Layers, in layer order. A new layer's name must be unique; an empty or taken name gives
    // nil. The first layer added becomes the current one.
    lgl_addr AddLayer(std::string name, bool on = true, bool locked = false);
    const std::vector<Layer>& Layers() const { return layers_; }
    const Layer* FindLayer(lgl_addr addr) const;
    Layer* FindLayer(lgl_addr addr);
    const Layer* FindLayerByName(std::string_view name) const;
    lgl_addr CurrentLayer() const { return currentLayer_; }
    bool SetCurrentLayer(lgl_addr layer);
    lgl_addr NextLayer(lgl_addr layer) const; // nil after the last

    // Entities. AddEntity gives the entity its address and puts it last on its layer; an
    // unknown layer or a name already taken gives nil and adds nothing.
    lgl_addr AddEntity(Entity entity, lgl_addr layer);
    // The entity at the address, or nullptr when there is none or it was erased. O(1): the
    // address is the entity's index.
    const Entity* FindEntity(lgl_addr addr) const;
    lgl_addr FindEntityByName(std::string_view name) const;
    // Every entity that is not erased, in layer order and on each layer in the order added.
    std::vector<lgl_addr> Entities() const;
    // Makes room for `count` more entities, so that a reader that knows about how many will
    // come does not move the entities it has while it adds the rest.
    void ReserveEntities(std::size_t count);
    // How many entities were ever added, erased ones included.
    std::size_t EntityCount() const { return slots_.size(); }
    // How many entities are not erased: the size of Entities() without building the list.
    std::size_t LiveEntityCount() const { return slots_.size() - erasedCount_; }
    // The `index`-th entity added to the layer (from 0); nil when there is none or it was
    // erased.
    lgl_addr EntityOnLayer(lgl_addr layer, std::size_t index) const;
    // Calls `visit` with every entity of the layer that is not erased, in the order added.
    template <typename Visit> void ForEachEntityOnLayer(lgl_addr layer, Visit&& visit) const {
        const std::size_t li = LayerIndex(layer);
        if (li == layers_.size()) {
            return;
        }
        for (const std::uint32_t s : layerSlots_[li]) {
            if (!slots_[s].erased) {
                visit(slots_[s].entity);
            }
        }
    }
    // Writes an entity back from the host's record (only what a record may change); recorded
    // for undo. False when there is no such entity or the record is of another type.
    bool UpdateFromRecord(const qx::host::EntityRec& rec);
    // Changes a plain text's text; recorded for undo.
    bool SetText(lgl_addr addr, std::string text);
    // Erases an entity; recorded for undo.
    bool Erase(lgl_addr addr);
    // False while the entity is as it was added: no change was ever recorded for it. Lets a
    // save pass over what was never touched without comparing it.
    bool WasChanged(lgl_addr addr) const;

    // Scans. A walk visits the entities of the mode that are not erased and whose type the mode
    // allows: the whole drawing in layer order, one layer, or a selection in the order the
    // entities were selected.
    lgl_addr FirstInMode(const ModeRec& mode) const;
    lgl_addr NextInMode(const ModeRec& mode, lgl_addr after) const;
    // Records a selection made with the host's selection tools and gives its number for a scan
    // mode. Repeated addresses count once.
    std::int32_t CreateSelection(std::vector<lgl_addr> entities);

    // Undo. Changes between BeginTransaction and EndTransaction undo as one step; a change
    // outside a transaction is a step of its own. Attributes, selection sets and the view are
    // not undone: they are settings and state, not drawing content.
    void BeginTransaction();
    void EndTransaction();
    bool InTransaction() const { return transactionDepth_ > 0; }
    // Undoes the last step; closes an open transaction first. False when nothing is left.
    bool Undo();
    std::size_t UndoStepCount() const;
    std::vector<UndoStepInfo> UndoSteps() const;

    AttributeTable& Attributes() { return attributes_; }
    const AttributeTable& Attributes() const { return attributes_; }
    SelectionSetTable& SelectionSets() { return selectionSets_; }
    const SelectionSetTable& SelectionSets() const { return selectionSets_; }
    ViewState& View() { return view_; }
    const ViewState& View() const { return view_; }
    DisplayList& Display() { return display_; }
    const DisplayList& Display() const { return display_; }
    SaveVarRec& SaveVars() { return saveVars_; }
    const SaveVarRec& SaveVars() const { return saveVars_; }

private:
    struct Slot {
        Entity entity;
        std::uint32_t posOnLayer = 0;
        bool erased = false;
        bool changed = false; // a change was recorded, even if it was undone since
    };
    // What a change replaced, kept for undo. Most changes of a run replace one text, so a
    // change keeps only what it replaced: nothing (an erase), the old text, or the whole entity.
    enum class Replaced : std::uint8_t { Nothing, Text, Entity };
    struct Change {
        std::uint32_t slot = 0;
        bool erasedBefore = false;
        Replaced replaced = Replaced::Nothing;
        std::string text; // Replaced::Text
        // Replaced::Entity. Never changed once taken, so a copy of the drawing may share it.
        std::shared_ptr<const Entity> whole;
    };
    struct UndoStep {
        bool transaction = false;
        std::vector<Change> changes; // in the order made; undone last to first
    };
    // A selection made with the host's selection tools. A walk asks for the entity after the
    // one it just read, so the place of the last answer is remembered and the next question
    // costs O(1); an index by address, built on the first other question, answers the rest.
    struct Selection {
        std::vector<lgl_addr> entities;
        mutable std::size_t lastAnswer = 0;
        mutable std::vector<std::pair<std::int32_t, std::uint32_t>> byOfs; // sorted on demand
    };

    const Slot* SlotAt(lgl_addr addr) const; // erased entities too
    // Asks the processor to fetch the slot of the entity into its cache.
    void PrefetchSlot(std::size_t slot) const;
    static constexpr std::size_t kPrefetchAhead = 8;
    std::size_t LayerIndex(lgl_addr layer) const; // layers_.size() when unknown
    bool Visits(const ModeRec& mode, const Slot& slot) const;
    lgl_addr FirstOnLayerFrom(const ModeRec& mode, std::size_t layer, std::size_t pos) const;
    lgl_addr FirstInLayersFrom(const ModeRec& mode, std::size_t layer, std::size_t pos) const;
    lgl_addr FirstInSelectionFrom(const ModeRec& mode, const Selection& sel, std::size_t pos) const;
    const Selection* FindSelection(std::int32_t number) const;
    // The place of the entity in the selection, or the selection's size when it is not in it.
    std::size_t PlaceInSelection(const Selection& sel, lgl_addr addr) const;
    std::string_view NameOfSlot(std::uint32_t slot) const { return slots_[slot].entity.name; }
    // Remembers the slot's state before a change that replaces what `replaced` names, for undo.
    void RecordChange(std::size_t slot, Replaced replaced);

    std::vector<Layer> layers_;
    std::vector<std::vector<std::uint32_t>> layerSlots_; // per layer, slots in order added
    lgl_addr currentLayer_;
    std::vector<Slot> slots_;           // entity ofs - 1
    std::size_t erasedCount_ = 0;       // slots whose entity is erased
    NameIndex names_;                   // named entities only
    std::vector<Selection> selections_; // selection number - 1

    int transactionDepth_ = 0;
    std::vector<UndoStep> undoSteps_;

    AttributeTable attributes_;
    SelectionSetTable selectionSets_;
    ViewState view_;
    DisplayList display_;
    SaveVarRec saveVars_;
};

} // namespace cadhost
