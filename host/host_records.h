// The host's records as both sides of the interface lay them out.
//
// Sizes and the offsets the macro reads are fixed by the host interface; the remaining fields
// are the stand-in host's own choice. Every offset lives here and nowhere else.
#pragma once

#include "host/host_types.h"

#include <cstddef>
#include <cstdint>

namespace qx::host {

// Entity type codes.
inline constexpr std::uint8_t kEntText = 7;
inline constexpr std::uint8_t kEntPolygon = 14; // the highlight box
inline constexpr std::uint8_t kEntParagraphText = 31;
inline constexpr std::uint8_t kEntMultiLineText = 32;

// Attribute types.
inline constexpr std::int32_t kAtrInteger = 0;
inline constexpr std::int32_t kAtrText = 8;

#pragma pack(push, 1)

inline constexpr int kEntityMaxPoints = 266;

// Entity record, 6724 bytes. The macro reads the type, the address, the layer and the text.
struct EntityRec {
    std::uint8_t enttype = 0;    // 0
    lgl_addr addr;               // 1
    lgl_addr lyr;                // 9
    std::int32_t color = 0;      // 17
    std::uint8_t weight = 0;     // 21
    str255 text;                 // 22: text of a plain text entity
    point insert;                // 278: insertion point of a text
    double size = 0;             // 302: text height
    double angle = 0;            // 310
    std::int32_t npts = 0;       // 318: points of a polygon (the highlight box)
    point pts[kEntityMaxPoints]; // 322
    std::uint8_t reserved[18] = {};
};
static_assert(sizeof(EntityRec) == 6724);
static_assert(offsetof(EntityRec, text) == 22);

// Scan mode record, 224 bytes. Its inner working is the host's.
struct ModeRec {
    std::int32_t kind = 0;      // 0 not initialised, 1 whole drawing, 2 one layer, 3 selection
    lgl_addr layer;             // kind 2
    std::int32_t selection = 0; // kind 3: the host's number of the selection
    std::uint8_t ntypes = 0;    // number of entity types the mode is narrowed to, 0 = all
    std::uint8_t types[16] = {};
    std::uint8_t reserved[191] = {};
};
static_assert(sizeof(ModeRec) == 224);

// Layer record. The macro reads only the lock word.
struct LayerRec {
    lgl_addr addr;          // 0
    std::uint8_t on = 0;    // 8
    std::int32_t color = 0; // 9
    std::uint8_t reserved1[186] = {};
    std::int32_t lockWord = -1; // 199: -1 when the layer is not locked
    std::uint8_t reserved2[53] = {};
};
static_assert(sizeof(LayerRec) == 256);
static_assert(offsetof(LayerRec, lockWord) == 199);
inline constexpr std::int32_t kLayerUnlocked = -1;

// View record. The macro writes the two position reals and copies three 32-bit values.
struct ViewRec {
    double scale = 1;          // 0: drawing units per pixel
    std::int32_t widthPx = 0;  // 8
    std::int32_t heightPx = 0; // 12
    std::uint8_t reserved1[588] = {};
    double x = 0;              // 604: position of the view (top-left corner)
    double y = 0;              // 612
    std::int32_t value620 = 0; // 620
    std::int32_t value624 = 0; // 624
    std::int32_t value628 = 0; // 628
    std::uint8_t reserved2[8] = {};
};
static_assert(sizeof(ViewRec) == 640);
static_assert(offsetof(ViewRec, x) == 604 && offsetof(ViewRec, y) == 612);
static_assert(offsetof(ViewRec, value620) == 620 && offsetof(ViewRec, value628) == 628);

// Drawing attribute record, 366 bytes.
struct AttribRec {
    std::int32_t atrtype = 0; // 0: kAtrInteger or kAtrText
    std::uint8_t reserved1[28] = {};
    std::uint8_t nameLen = 0; // 32: counted name of up to 13 characters
    char name[13] = {};
    std::uint8_t reserved2[64] = {};
    union { // 110
        std::int32_t intValue;
        str255 strValue;
    } value{};
};
static_assert(sizeof(AttribRec) == 366);
static_assert(offsetof(AttribRec, nameLen) == 32 && offsetof(AttribRec, value) == 110);

// The host's saved-variables record returned by PGSavevar.
struct SaveVarRec {
    std::uint8_t reserved1[108] = {};
    std::uint8_t layerDialog = 0; // 108
    std::uint8_t reserved2[385] = {};
    std::uint8_t hiliteDisplay = 0; // 494: 1 while the highlight box is drawn
    std::uint8_t reserved3[779] = {};
    std::int32_t selSetMask = 0; // 1274: bit i = selection set i
    std::uint8_t reserved4[770] = {};
};
static_assert(sizeof(SaveVarRec) == 2048);
static_assert(offsetof(SaveVarRec, layerDialog) == 108);
static_assert(offsetof(SaveVarRec, hiliteDisplay) == 494);
static_assert(offsetof(SaveVarRec, selSetMask) == 1274);

// The host's selection-mask record: byte t is non-zero when entities of type t may be selected;
// bytes 0 and 120 are both non-zero when the mask restricts the selection.
struct SelMaskRec {
    std::uint8_t bytes[256] = {};
};
inline constexpr std::size_t kMaskActiveA = 0;
inline constexpr std::size_t kMaskActiveB = 120;

// The record that menuGetMode's result leads to; its field at 144 holds the mask's address.
struct SelInfoRec {
    std::uint8_t reserved[144] = {};
    std::uintptr_t maskAddr = 0; // 144: the mask record's address (pointer-sized), or 0
    std::uint8_t reserved2[104] = {};
};

#pragma pack(pop)

} // namespace qx::host
