#include "cadhost/model/entity.h"

#include <algorithm>
#include <utility>

namespace cadhost {

bool SamePoint(const point& a, const point& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

bool operator==(const TextData& a, const TextData& b) {
    return a.text == b.text && SamePoint(a.insert, b.insert) && a.size == b.size &&
           a.angle == b.angle;
}

bool operator==(const Entity& a, const Entity& b) {
    return a.type == b.type && a.addr == b.addr && a.layer == b.layer && a.name == b.name &&
           a.color == b.color && a.weight == b.weight && a.text == b.text && a.pieces == b.pieces &&
           std::equal(a.points.begin(), a.points.end(), b.points.begin(), b.points.end(),
                      SamePoint);
}

Entity MakeText(std::string text, point insert, double size, std::string name) {
    Entity e;
    e.type = qx::host::kEntText;
    e.name = std::move(name);
    e.text = TextData{std::move(text), insert, size, 0};
    return e;
}

Entity MakeSmartText(std::uint8_t type, std::vector<TextData> pieces, std::string name) {
    Entity e;
    e.type = type;
    e.name = std::move(name);
    e.pieces = std::move(pieces);
    return e;
}

Entity MakeLine(point from, point to, std::string name) {
    Entity e;
    e.type = kEntLine;
    e.name = std::move(name);
    e.points = {from, to};
    return e;
}

Entity MakePolygon(std::vector<point> points, std::string name) {
    Entity e;
    e.type = qx::host::kEntPolygon;
    e.name = std::move(name);
    e.points = std::move(points);
    return e;
}

} // namespace cadhost
