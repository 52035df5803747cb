#include "cadhost/model/entity_record.h"

#include <algorithm>
#include <span>

namespace cadhost {

namespace {

void FillText(const TextData& text, EntityRec& rec) {
    rec.text.assign(text.text);
    rec.insert = text.insert;
    rec.size = text.size;
    rec.angle = text.angle;
}

std::span<const point> RecordPoints(const EntityRec& rec) {
    // A copy first: the count sits unaligned in the packed record.
    const std::int32_t npts = rec.npts;
    const auto n = static_cast<std::size_t>(std::clamp(npts, 0, qx::host::kEntityMaxPoints));
    return {rec.pts, n};
}

} // namespace

void FillRecord(const Entity& entity, EntityRec& rec) {
    rec.enttype = entity.type;
    rec.addr = entity.addr;
    rec.lyr = entity.layer;
    rec.color = entity.color;
    rec.weight = entity.weight;
    if (entity.type == qx::host::kEntText) {
        FillText(entity.text, rec);
    } else {
        FillText(TextData{{}, {}, 0, 0}, rec);
    }
    const std::size_t n = std::min<std::size_t>(entity.points.size(), qx::host::kEntityMaxPoints);
    rec.npts = static_cast<std::int32_t>(n);
    std::copy_n(entity.points.begin(), n, rec.pts);
}

EntityRec PieceRecord(const Entity& smart, const TextData& piece) {
    EntityRec rec;
    rec.enttype = qx::host::kEntText;
    rec.lyr = smart.layer;
    rec.color = smart.color;
    rec.weight = smart.weight;
    FillText(piece, rec);
    return rec;
}

bool ApplyRecord(const EntityRec& rec, Entity& entity) {
    if (rec.enttype != entity.type) {
        return false;
    }
    entity.color = rec.color;
    entity.weight = rec.weight;
    if (entity.type == qx::host::kEntText) {
        entity.text = TextData{rec.text.str(), rec.insert, rec.size, rec.angle};
        return true;
    }
    if (!IsSmartText(entity.type)) {
        const auto pts = RecordPoints(rec);
        entity.points.assign(pts.begin(), pts.end());
    }
    return true;
}

Extent RecordExtent(const EntityRec& rec) {
    if (rec.enttype == qx::host::kEntText) {
        return TextExtent(TextData{rec.text.str(), rec.insert, rec.size, rec.angle});
    }
    return PointsExtent(RecordPoints(rec));
}

} // namespace cadhost
