// A drawing as it was before the macro ran over it: its texts, to tell what the run changed,
// and what the macro keeps in a drawing besides texts (settings attributes, the view, the
// selection sets), to put back after the run.
#pragma once

#include "cadhost/batch/file_result.h"
#include "cadhost/model/drawing.h"

#include <string_view>
#include <utility>
#include <vector>

namespace cadhost::batch {

// How a report names an entity: its name when it has one, else "#N" for the N-th entity of the
// file.
std::string EntityLabel(const Drawing& drawing, lgl_addr entity);

// A report row for an entity; texts are given in Windows-1252, as the drawing holds them.
ChangeRow MakeRow(const Drawing& drawing, lgl_addr entity, std::string_view oldText,
                  std::string_view newText, RowKind kind);

// A report row with the entity it is about, so that rows can be put in the drawing's order.
struct EntityRow {
    lgl_addr entity;
    ChangeRow row;
};

// The text a smart text shows the macro: its pieces joined by single spaces.
std::string SmartTextOf(const Entity& entity);

class DrawingSnapshot {
public:
    explicit DrawingSnapshot(const Drawing& drawing);

    // One row for every plain text whose text differs now, in the drawing's entity order.
    std::vector<EntityRow> ChangedTexts(const Drawing& drawing) const;
    // True when the set's name or members, or the selection-set mask, differ now.
    bool SelectionSetChanged(const Drawing& drawing, int set) const;

    enum class SelectionSets { PutBack, Keep };
    // Puts the attributes and the view back, and the selection sets when asked.
    void PutBack(Drawing& drawing, SelectionSets sets) const;

private:
    std::vector<std::pair<lgl_addr, std::string>> texts_;
    AttributeTable attributes_;
    SelectionSetTable selectionSets_;
    std::int32_t selectionSetMask_;
    ViewRec view_;
};

} // namespace cadhost::batch
