#include "cadhost/batch/drawing_snapshot.h"

#include "host/codepage.h"

namespace cadhost::batch {

using qx::host::Cp1252ToUtf8;

std::string EntityLabel(const Drawing& drawing, lgl_addr entity) {
    const Entity* e = drawing.FindEntity(entity);
    if (e != nullptr && !e->name.empty())
        return e->name;
    // Entities are numbered in the order the file lists them.
    return "#" + std::to_string(entity.ofs);
}

ChangeRow MakeRow(const Drawing& drawing, lgl_addr entity, std::string_view oldText,
                  std::string_view newText, RowKind kind) {
    ChangeRow row;
    row.entity = EntityLabel(drawing, entity);
    if (const Entity* e = drawing.FindEntity(entity)) {
        if (const Layer* layer = drawing.FindLayer(e->layer))
            row.layer = Cp1252ToUtf8(layer->name);
    }
    row.oldText = Cp1252ToUtf8(oldText);
    row.newText = Cp1252ToUtf8(newText);
    row.kind = kind;
    return row;
}

std::string SmartTextOf(const Entity& entity) {
    std::string text;
    for (const TextData& piece : entity.pieces) {
        if (!text.empty())
            text += ' ';
        text += piece.text;
    }
    return text;
}

DrawingSnapshot::DrawingSnapshot(const Drawing& drawing)
    : attributes_(drawing.Attributes()), selectionSets_(drawing.SelectionSets()),
      selectionSetMask_(drawing.SaveVars().selSetMask), view_(drawing.View().Current()) {
    for (const lgl_addr a : drawing.Entities()) {
        const Entity* e = drawing.FindEntity(a);
        if (e->type == qx::host::kEntText)
            texts_.emplace_back(a, e->text.text);
    }
}

std::vector<EntityRow> DrawingSnapshot::ChangedTexts(const Drawing& drawing) const {
    std::vector<EntityRow> rows;
    for (const auto& [addr, before] : texts_) {
        const Entity* e = drawing.FindEntity(addr);
        if (e != nullptr && e->text.text != before)
            rows.push_back({addr, MakeRow(drawing, addr, before, e->text.text, RowKind::Changed)});
    }
    return rows;
}

bool DrawingSnapshot::SelectionSetChanged(const Drawing& drawing, int set) const {
    const SelectionSetTable& now = drawing.SelectionSets();
    return now.Name(set) != selectionSets_.Name(set) ||
           now.Members(set) != selectionSets_.Members(set) ||
           drawing.SaveVars().selSetMask != selectionSetMask_;
}

void DrawingSnapshot::PutBack(Drawing& drawing, SelectionSets sets) const {
    drawing.Attributes() = attributes_;
    drawing.View().Reset(view_);
    if (sets == SelectionSets::Keep)
        return;
    drawing.SelectionSets() = selectionSets_;
    drawing.SaveVars().selSetMask = selectionSetMask_;
}

} // namespace cadhost::batch
