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
#include "cadhost/model/scan_mode.h"
#include "cadhost/model/selection_set_table.h"
#include "cadhost/model/view_state.h"
#include "host/host_records.h"
#include "host/host_types.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
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
    // The entity at the address, or nullptr when there is none or it was erased.
    const Entity* FindEntity(lgl_addr addr) const;
    lgl_addr FindEntityByName(std::string_view name) const;
    // Every entity that is not erased, in layer order and on each layer in the order added.
    std::vector<lgl_addr> Entities() const;
    // Writes an entity back from the host's record (only what a record may change); recorded
    // for undo. False when there is no such entity or the record is of another type.
    bool UpdateFromRecord(const qx::host::EntityRec& rec);
    // Changes a plain text's text; recorded for undo.
    bool SetText(lgl_addr addr, std::string text);
    // Erases an entity; recorded for undo.
    bool Erase(lgl_addr addr);

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
        bool erased = false;
        std::size_t posOnLayer = 0;
    };
    struct Change {
        std::size_t slot = 0;
        Entity before;
        bool erasedBefore = false;
    };
    struct UndoStep {
        bool transaction = false;
        std::vector<Change> changes; // in the order made; undone last to first
    };
    struct Selection {
        std::vector<lgl_addr> entities;
        std::map<std::pair<std::int32_t, std::int32_t>, std::size_t> positions;
    };

    const Slot* SlotAt(lgl_addr addr) const;      // erased entities too
    std::size_t LayerIndex(lgl_addr layer) const; // layers_.size() when unknown
    bool Visits(const ModeRec& mode, const Slot& slot) const;
    lgl_addr FirstOnLayerFrom(const ModeRec& mode, std::size_t layer, std::size_t pos) const;
    lgl_addr FirstInLayersFrom(const ModeRec& mode, std::size_t layer, std::size_t pos) const;
    lgl_addr FirstInSelectionFrom(const ModeRec& mode, const Selection& sel, std::size_t pos) const;
    const Selection* FindSelection(std::int32_t number) const;
    // Remembers the slot's state before a change, for undo.
    void RecordChange(std::size_t slot);

    std::vector<Layer> layers_;
    std::vector<std::vector<std::size_t>> layerSlots_; // per layer, slot indices in order added
    lgl_addr currentLayer_;
    std::vector<Slot> slots_; // entity ofs - 1
    std::map<std::string, std::size_t, std::less<>> names_;
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
