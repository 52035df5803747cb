// The host functions that read, write and draw entities, and that break smart texts into
// their pieces.
#include "cadhost/driver/session.h"
#include "cadhost/exports/host_exports.h"
#include "cadhost/model/entity_record.h"
#include "cadhost/model/extent.h"

#include <algorithm>
#include <utility>

namespace {

cadhost::Drawing& TheDrawing() {
    return cadhost::CurrentSession().drawing;
}

} // namespace

CADHOST_EXPORT void ent_first(lgl_addr* addr, ModeRec* mode) {
    if (addr == nullptr) {
        return;
    }
    *addr = mode == nullptr ? lgl_addr{} : TheDrawing().FirstInMode(*mode);
}

CADHOST_EXPORT void ent_next(lgl_addr* addr, EntityRec* ent, ModeRec* mode) {
    if (addr == nullptr) {
        return;
    }
    if (ent == nullptr || mode == nullptr) {
        *addr = {};
        return;
    }
    *addr = TheDrawing().NextInMode(*mode, ent->addr);
}

CADHOST_EXPORT bool ent_get(EntityRec* ent, lgl_addr addr, bool /*full*/) {
    // This host always reads the whole entity; the flag only spares the real host work.
    const cadhost::Entity* entity = TheDrawing().FindEntity(addr);
    if (ent == nullptr || entity == nullptr) {
        return false;
    }
    cadhost::FillRecord(*entity, *ent);
    return true;
}

CADHOST_EXPORT void ent_updates(EntityRec* ent) {
    if (ent == nullptr) {
        return;
    }
    TheDrawing().UpdateFromRecord(*ent);
}

CADHOST_EXPORT void ent_init(EntityRec* ent, i32 enttype) {
    if (ent == nullptr) {
        return;
    }
    *ent = EntityRec{};
    ent->enttype = static_cast<std::uint8_t>(enttype);
    ent->lyr = TheDrawing().CurrentLayer();
    ent->color = 1;
    ent->weight = 1;
}

CADHOST_EXPORT void ent_extent(EntityRec* ent, point* lowerLeft, point* upperRight) {
    if (ent == nullptr || lowerLeft == nullptr || upperRight == nullptr) {
        return;
    }
    cadhost::Extent extent;
    if (cadhost::IsSmartText(ent->enttype)) {
        // A smart text's pieces live in the drawing, not in the record.
        const cadhost::Entity* entity = TheDrawing().FindEntity(ent->addr);
        if (entity != nullptr) {
            extent = cadhost::EntityExtent(*entity);
        }
    } else {
        extent = cadhost::RecordExtent(*ent);
    }
    *lowerLeft = extent.lower;
    *upperRight = extent.upper;
}

CADHOST_EXPORT void ent_draw_dl(EntityRec* ent, i32 a, i32 b) {
    if (ent == nullptr) {
        return;
    }
    cadhost::Drawing& drawing = TheDrawing();
    cadhost::DisplayItem item;
    item.type = ent->enttype;
    item.addr = ent->addr;
    const i32 count = ent->npts; // a copy: the field sits unaligned in the packed record
    const i32 npts = std::clamp(count, 0, qx::host::kEntityMaxPoints);
    item.points.assign(ent->pts, ent->pts + npts);
    item.a = a;
    item.b = b;
    item.hiliteDisplay = drawing.SaveVars().hiliteDisplay;
    item.color = ent->color;
    item.weight = ent->weight;
    drawing.Display().Append(std::move(item));
}

CADHOST_EXPORT void SmartEntity2RegularEntities(const EntityRec* ent, void* work1, void* work2,
                                                SmartPieceCallback callback, i32 /*a*/, i32 /*b*/) {
    if (ent == nullptr || callback == nullptr) {
        return;
    }
    const cadhost::Entity* entity = TheDrawing().FindEntity(ent->addr);
    if (entity == nullptr || !cadhost::IsSmartText(entity->type)) {
        return;
    }
    // A copy, so that a callback that changes the drawing cannot pull the pieces away.
    const cadhost::Entity smart = *entity;
    for (const cadhost::TextData& piece : smart.pieces) {
        EntityRec rec = cadhost::PieceRecord(smart, piece);
        callback(&rec, work1, work2);
    }
}
