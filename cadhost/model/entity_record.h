// Moving entities between the drawing and the host's entity record.
#pragma once

#include "cadhost/model/entity.h"
#include "cadhost/model/extent.h"
#include "host/host_records.h"

namespace cadhost {

using qx::host::EntityRec;

// Fills the record from the entity: the common fields, the text fields (an empty text for an
// entity that has none) and the point count, and only as many points and text bytes as the
// entity has. What lies beyond the count of the points or of the text is not part of the
// entity and is left as it was: clearing the whole 6724-byte record for every entity of a scan
// would cost more than the rest of the read.
void FillRecord(const Entity& entity, EntityRec& rec);

// The record of one piece of a smart text: a plain text on the smart text's layer and in its
// colour. A piece is not an entity of its own, so its address is nil.
EntityRec PieceRecord(const Entity& smart, const TextData& piece);

// Writes back what a record may change of an entity of the same type: colour, weight, and the
// text and its placement for a plain text, or the points of a line or polygon. The address, the
// layer and the type stay. Returns false, changing nothing, when the types differ.
bool ApplyRecord(const EntityRec& rec, Entity& entity);

// The extent of what the record itself describes: a plain text, a line or a polygon. Smart
// texts carry their pieces in the drawing, not in the record.
Extent RecordExtent(const EntityRec& rec);

} // namespace cadhost
