// The entities of the stand-in host's drawing.
#pragma once

#include "cadhost/model/side_list.h"
#include "host/host_records.h"
#include "host/host_types.h"

#include <cstdint>
#include <string>
#include <vector>

namespace cadhost {

using qx::host::lgl_addr;
using qx::host::point;

// Entity types the drawing holds besides the ones the interface names.
inline constexpr std::uint8_t kEntLine = 1;

// The longest text a plain text entity or a text piece may hold.
inline constexpr std::size_t kMaxTextLength = 255;

// A line of text: the text itself (Windows-1252 bytes) and where and how it sits.
struct TextData {
    std::string text;
    point insert;
    double size = 1;
    double angle = 0; // radians, counter-clockwise
};

// Exact comparisons: they tell whether a write changed anything, not whether two shapes look
// alike.
bool SamePoint(const point& a, const point& b);
bool operator==(const TextData& a, const TextData& b);

// The small fields come first, so that the record has no holes: a drawing holds many.
struct Entity {
    lgl_addr addr; // given by the drawing when the entity is added
    lgl_addr layer;
    std::int32_t color = 1;
    std::uint8_t type = qx::host::kEntText;
    std::uint8_t weight = 1;
    TextData text;             // plain text (type 7)
    std::string name;          // optional, unique within the drawing; lets scenarios address it
    SideList<TextData> pieces; // paragraph and multi-line text, in reading order
    SideList<point> points;    // line (two points) and polygon
};

bool operator==(const Entity& a, const Entity& b);

inline bool IsSmartText(std::uint8_t type) {
    return type == qx::host::kEntParagraphText || type == qx::host::kEntMultiLineText;
}

// Builders for the common entities; the layer is given when the entity is added.
Entity MakeText(std::string text, point insert, double size = 1, std::string name = {});
Entity MakeSmartText(std::uint8_t type, std::vector<TextData> pieces, std::string name = {});
Entity MakeLine(point from, point to, std::string name = {});
Entity MakePolygon(std::vector<point> points, std::string name = {});

} // namespace cadhost
