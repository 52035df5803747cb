// Checking an entity's, a layer's and the drawing's fields, and adding them to the model.
#include "cadhost/formats/json_drawing_builder.h"

#include <algorithm>
#include <initializer_list>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

namespace cadhost::json_read {

using namespace json_checks;

namespace {

constexpr std::int64_t kFormatVersion = 1;
const Where kTheDrawing("the drawing");

// The shortest entity the format has, {"type":"text","text":"","at":[0,0]}, takes this many
// bytes: a file cannot hold more entities than its size divided by it.
constexpr std::size_t kSmallestEntityBytes = 36;

// ---- Checks of values read through a tree ----

void CheckObject(const json& v, const Where& where) {
    if (!v.is_object()) {
        Fail(where, "must be an object");
    }
}

void CheckKeys(const json& obj, std::initializer_list<std::string_view> allowed,
               const Where& where) {
    for (const auto& item : obj.items()) {
        if (std::find(allowed.begin(), allowed.end(), item.key()) == allowed.end()) {
            Fail(where, "unknown field " + Quoted(item.key()));
        }
    }
}

const json* Field(const json& obj, std::string_view key) {
    const auto it = obj.find(key);
    return it == obj.end() ? nullptr : &*it;
}

const json& Required(const json& obj, std::string_view key, const Where& where) {
    const json* v = Field(obj, key);
    if (v == nullptr) {
        Fail(where, "the field " + Quoted(key) + " is missing");
    }
    return *v;
}

const json& Array(const json& v, std::string_view field, const Where& where) {
    if (!v.is_array()) {
        Fail(where, Quoted(field) + " must be a list");
    }
    return v;
}

// ---- Checks of an entity's fields ----

void CheckPresent(const FieldValue& v, std::string_view key, const Where& where) {
    if (!v.present()) {
        Fail(where, "the field " + Quoted(key) + " is missing");
    }
}

point ReadPoint(const PointValue& v, std::string_view field, const Where& where) {
    if (v.kind != FieldValue::Kind::List || v.count < 2 || v.count > 3) {
        Fail(where, Quoted(field) + " must be a list of two or three numbers");
    }
    if (v.firstNonNumber < v.count) {
        Fail(where, Quoted(field) + " must be a number");
    }
    return point{v.coords[0], v.coords[1], v.count == 3 ? v.coords[2] : 0.0};
}

template <typename Fields> TextData ReadTextData(const Fields& f, const Where& where) {
    TextData t;
    CheckPresent(f.text, "text", where);
    t.text = HostText(f.text, "text", where, kMaxTextLength);
    if (f.at.kind == FieldValue::Kind::Absent) {
        Fail(where, "the field \"at\" is missing");
    }
    t.insert = ReadPoint(f.at, "at", where);
    if (f.size.present()) {
        t.size = Number(f.size, "size", where);
        if (!(t.size > 0)) {
            Fail(where, "\"size\" must be greater than 0");
        }
    }
    if (f.angle.present()) {
        t.angle = Number(f.angle, "angle", where);
    }
    return t;
}

struct EntityType {
    std::string_view name;
    std::uint8_t code;
};
constexpr EntityType kEntityTypes[] = {
    {"text", qx::host::kEntText},
    {"paragraph", qx::host::kEntParagraphText},
    {"multiline", qx::host::kEntMultiLineText},
    {"line", kEntLine},
    {"polygon", qx::host::kEntPolygon},
};

std::uint8_t TypeCode(const std::string& name, const Where& where) {
    for (const EntityType& t : kEntityTypes) {
        if (t.name == name) {
            return t.code;
        }
    }
    Fail(where, "unknown entity type " + Quoted(name) +
                    "; known are text, paragraph, multiline, line and polygon");
}

std::vector<point> ReadPoints(const EntityFields& f, std::size_t min, std::size_t max,
                              const Where& where) {
    if (f.pointsKind == FieldValue::Kind::Absent) {
        Fail(where, "the field \"points\" is missing");
    }
    if (f.pointsKind != FieldValue::Kind::List) {
        Fail(where, "\"points\" must be a list");
    }
    if (f.points.size() < min || f.points.size() > max) {
        Fail(where, "\"points\" must hold " +
                        (min == max ? std::to_string(min)
                                    : std::to_string(min) + " to " + std::to_string(max)) +
                        " points");
    }
    std::vector<point> points;
    points.reserve(f.points.size());
    for (const PointValue& p : f.points) {
        points.push_back(ReadPoint(p, "points", where));
    }
    return points;
}

// Reads the fields that depend on the entity's type.
void ReadShape(const EntityFields& f, Entity& e, const Where& where) {
    if (e.type == qx::host::kEntText) {
        f.keys.Check(kCommonKeys | kTextKeys, where);
        e.text = ReadTextData(f, where);
        return;
    }
    if (IsSmartText(e.type)) {
        f.keys.Check(kCommonKeys | Bit(FieldKey::Pieces), where);
        if (f.piecesKind == FieldValue::Kind::Absent) {
            Fail(where, "the field \"pieces\" is missing");
        }
        if (f.piecesKind != FieldValue::Kind::List) {
            Fail(where, "\"pieces\" must be a list");
        }
        if (f.pieces.empty()) {
            Fail(where, "\"pieces\" must hold at least one text piece");
        }
        for (std::size_t k = 0; k < f.pieces.size(); ++k) {
            const Where pieceWhere = Where::Piece(k, where);
            if (f.pieces[k].kind != FieldValue::Kind::Object) {
                Fail(pieceWhere, "must be an object");
            }
            f.pieces[k].keys.Check(kTextKeys, pieceWhere);
            e.pieces.push_back(ReadTextData(f.pieces[k], pieceWhere));
        }
        return;
    }
    f.keys.Check(kCommonKeys | Bit(FieldKey::Points), where);
    e.points = e.type == kEntLine
                   ? ReadPoints(f, 2, 2, where)
                   : ReadPoints(f, 3, static_cast<std::size_t>(qx::host::kEntityMaxPoints), where);
}

// ---- The layer being read ----

struct LayerInRead {
    std::size_t index = 0;        // in the file
    json header = json::object(); // every field but the entities
    lgl_addr addr;                // nil until the layer is in the drawing
    std::string name;             // Windows-1252, once known
    std::size_t entityCount = 0;
    // Entities that came before the layer's name: checked once the name is known, because
    // their messages name the layer.
    std::vector<EntityFields> waiting;
};

} // namespace

class DrawingBuilder::Impl {
public:
    // Room for as many entities as the text can hold is reserved at once: the pages of the
    // room that stays unused are never touched, so they cost address space, not memory.
    explicit Impl(std::size_t textSize) {
        drawing_.ReserveEntities(textSize / kSmallestEntityBytes);
    }

    json& BeginLayer(std::size_t index) {
        layer_ = LayerInRead{};
        layer_.index = index;
        return layer_.header;
    }

    void BeginLayerEntities() {
        if (layer_.header.contains("name")) {
            AddLayer();
        }
    }

    Drawing Take() { return std::move(drawing_); }

    void AddEntity(EntityFields& fields) {
        const std::size_t index = layer_.entityCount++;
        if (IsNil(layer_.addr)) {
            layer_.waiting.push_back(std::move(fields));
            return;
        }
        ReadEntity(fields, index);
    }

    void ReadEntity(EntityFields& f, std::size_t index) {
        std::string name;
        const Where where = Where::Entity(index, layer_.name, name);
        if (f.kind != FieldValue::Kind::Object) {
            Fail(where, "must be an object");
        }
        Entity e;
        if (f.name.present()) {
            std::string given = String(f.name, "name", where);
            if (given.empty()) {
                Fail(where, "an entity's name must not be empty");
            }
            name = std::move(given);
            if (!IsNil(drawing_.FindEntityByName(name))) {
                Fail(where, "an earlier entity has the same name");
            }
        }
        CheckPresent(f.type, "type", where);
        e.type = TypeCode(String(f.type, "type", where), where);
        if (f.colour.present()) {
            e.color = Int32(f.colour, "colour", where);
        }
        if (f.weight.present()) {
            e.weight = static_cast<std::uint8_t>(Integer(f.weight, "weight", where, 0, 255));
        }
        ReadShape(f, e, where);
        e.name = std::move(name);
        drawing_.AddEntity(std::move(e), layer_.addr);
    }

    // ---- Layers ----

    static std::string LayerWhere(std::size_t index) { return "layer " + std::to_string(index); }

    struct LayerFields {
        std::string name;
        bool on = true;
        bool locked = false;
        std::optional<std::int32_t> colour;
    };

    // Checks the layer's fields read so far. The layer itself, once in the drawing, does not
    // count as an earlier layer of the same name.
    LayerFields CheckLayerFields() {
        const json& obj = layer_.header;
        const std::string index = LayerWhere(layer_.index);
        LayerFields f;
        f.name = HostText(Required(obj, "name", Where(index)), "name", Where(index), 255);
        if (f.name.empty()) {
            Fail(Where(index), "the layer's name must not be empty");
        }
        const std::string named = "layer " + Quoted(qx::host::Cp1252ToUtf8(f.name));
        const Where where(named);
        CheckKeys(obj, {"name", "on", "locked", "colour", "entities"}, where);
        const Layer* same = drawing_.FindLayerByName(f.name);
        if (same != nullptr && !(same->addr == layer_.addr)) {
            Fail(where, "an earlier layer has the same name");
        }
        if (const json* on = Field(obj, "on")) {
            f.on = Bool(*on, "on", where);
        }
        if (const json* locked = Field(obj, "locked")) {
            f.locked = Bool(*locked, "locked", where);
        }
        if (const json* colour = Field(obj, "colour")) {
            f.colour = Int32(*colour, "colour", where);
        }
        if (const json* entities = Field(obj, "entities")) {
            Array(*entities, "entities", where);
        }
        return f;
    }

    void AddLayer() {
        LayerFields f = CheckLayerFields();
        layer_.name = f.name;
        layer_.addr = drawing_.AddLayer(std::move(f.name), f.on, f.locked);
        if (f.colour) {
            drawing_.FindLayer(layer_.addr)->color = *f.colour;
        }
    }

    void EndLayer() {
        if (IsNil(layer_.addr)) {
            AddLayer();
            std::vector<EntityFields> waiting = std::move(layer_.waiting);
            for (std::size_t i = 0; i < waiting.size(); ++i) {
                ReadEntity(waiting[i], i);
            }
            return;
        }
        // Fields that came after the entities.
        const LayerFields f = CheckLayerFields();
        Layer* layer = drawing_.FindLayer(layer_.addr);
        layer->on = f.on;
        layer->locked = f.locked;
        if (f.colour) {
            layer->color = *f.colour;
        }
    }

    // ---- The drawing's own fields ----

    void CheckVersion(const json& root) {
        if (const json* version = Field(root, "version")) {
            const auto v = Integer(*version, "version", kTheDrawing, 1,
                                   std::numeric_limits<std::int32_t>::max());
            if (v != kFormatVersion) {
                Fail(kTheDrawing,
                     "version " + std::to_string(v) + " is not known; this host reads version 1");
            }
        }
    }

    void EndDrawing(const json& root) {
        CheckKeys(root,
                  {"version", "currentLayer", "layers", "selectionSets", "selectionSetMask",
                   "attributes", "view"},
                  kTheDrawing);
        CheckVersion(root);
        Array(Required(root, "layers", kTheDrawing), "layers", kTheDrawing);
        if (drawing_.Layers().empty()) {
            Fail(kTheDrawing, "\"layers\" must hold at least one layer");
        }
        if (const json* current = Field(root, "currentLayer")) {
            ReadCurrentLayer(*current);
        }
        if (const json* sets = Field(root, "selectionSets")) {
            ReadSelectionSets(*sets);
        }
        if (const json* mask = Field(root, "selectionSetMask")) {
            drawing_.SaveVars().selSetMask = Int32(*mask, "selectionSetMask", kTheDrawing);
        }
        if (const json* attributes = Field(root, "attributes")) {
            ReadAttributes(*attributes);
        }
        if (const json* view = Field(root, "view")) {
            ReadView(*view);
        }
    }

    void ReadCurrentLayer(const json& v) {
        const std::string name = HostText(v, "currentLayer", kTheDrawing, 255);
        const Layer* layer = drawing_.FindLayerByName(name);
        if (layer == nullptr) {
            Fail(kTheDrawing, "\"currentLayer\" names " + Quoted(v.get<std::string>()) +
                                  ", which is not a layer of the drawing");
        }
        drawing_.SetCurrentLayer(layer->addr);
    }

    lgl_addr ReadMember(const json& v, const Where& where) {
        if (v.is_string()) {
            const std::string name = v.get<std::string>();
            const lgl_addr addr = drawing_.FindEntityByName(name);
            if (IsNil(addr)) {
                Fail(where, "no entity is named " + Quoted(name));
            }
            return addr;
        }
        if (!v.is_object()) {
            Fail(where, "a member must be an entity's name or {\"layer\": ..., \"index\": ...}");
        }
        CheckKeys(v, {"layer", "index"}, where);
        const std::string layerName = HostText(Required(v, "layer", where), "layer", where, 255);
        const Layer* layer = drawing_.FindLayerByName(layerName);
        if (layer == nullptr) {
            Fail(where, "no layer is named " + Quoted(qx::host::Cp1252ToUtf8(layerName)));
        }
        const auto index = Integer(Required(v, "index", where), "index", where, 0,
                                   std::numeric_limits<std::int32_t>::max());
        // Nothing is erased while a file is read, so the layer's entities are in file order.
        const lgl_addr addr = drawing_.EntityOnLayer(layer->addr, static_cast<std::size_t>(index));
        if (IsNil(addr)) {
            Fail(where, "layer " + Quoted(qx::host::Cp1252ToUtf8(layerName)) + " has no entity " +
                            std::to_string(index));
        }
        return addr;
    }

    void ReadSelectionSets(const json& sets) {
        Array(sets, "selectionSets", kTheDrawing);
        std::vector<bool> seen(kSelectionSetCount, false);
        for (std::size_t i = 0; i < sets.size(); ++i) {
            const std::string entry = "selection set entry " + std::to_string(i);
            CheckObject(sets[i], Where(entry));
            CheckKeys(sets[i], {"set", "name", "members"}, Where(entry));
            const auto set = static_cast<int>(Integer(Required(sets[i], "set", Where(entry)), "set",
                                                      Where(entry), 0, kSelectionSetCount - 1));
            const std::string named = "selection set " + std::to_string(set);
            const Where where(named);
            if (seen[static_cast<std::size_t>(set)]) {
                Fail(where, "the set is described twice");
            }
            seen[static_cast<std::size_t>(set)] = true;
            if (const json* name = Field(sets[i], "name")) {
                drawing_.SelectionSets().SetName(set, HostText(*name, "name", where, 255));
            }
            const json* members = Field(sets[i], "members");
            if (members == nullptr) {
                continue;
            }
            Array(*members, "members", where);
            for (std::size_t k = 0; k < members->size(); ++k) {
                const std::string member = "member " + std::to_string(k) + " of " + named;
                drawing_.SelectionSets().Add(set, ReadMember((*members)[k], Where(member)));
            }
        }
    }

    void ReadAttributes(const json& attributes) {
        Array(attributes, "attributes", kTheDrawing);
        for (std::size_t i = 0; i < attributes.size(); ++i) {
            const std::string index = "attribute " + std::to_string(i);
            const json& obj = attributes[i];
            CheckObject(obj, Where(index));
            Attribute a;
            a.name = HostText(Required(obj, "name", Where(index)), "name", Where(index),
                              kMaxAttributeNameLength);
            if (a.name.empty()) {
                Fail(Where(index), "an attribute's name must not be empty");
            }
            const std::string named = "attribute " + Quoted(qx::host::Cp1252ToUtf8(a.name));
            const Where where(named);
            CheckKeys(obj, {"name", "integer", "text"}, where);
            if (drawing_.Attributes().Find(a.name) != nullptr) {
                Fail(where, "an earlier attribute has the same name");
            }
            const json* integer = Field(obj, "integer");
            const json* text = Field(obj, "text");
            if ((integer == nullptr) == (text == nullptr)) {
                Fail(where, "give exactly one of \"integer\" and \"text\"");
            }
            if (integer != nullptr) {
                a.type = qx::host::kAtrInteger;
                a.intValue = Int32(*integer, "integer", where);
            } else {
                a.type = qx::host::kAtrText;
                a.textValue = HostText(*text, "text", where, 255);
            }
            drawing_.Attributes().Set(std::move(a));
        }
    }

    void ReadView(const json& obj) {
        const Where where("the view");
        CheckObject(obj, where);
        CheckKeys(obj, {"x", "y", "scale", "width", "height"}, where);
        ViewRec view = drawing_.View().Current();
        view.x = Number(Required(obj, "x", where), "x", where);
        view.y = Number(Required(obj, "y", where), "y", where);
        if (const json* scale = Field(obj, "scale")) {
            view.scale = Number(*scale, "scale", where);
            if (!(view.scale > 0)) {
                Fail(where, "\"scale\" must be greater than 0");
            }
        }
        const auto maxPx = std::numeric_limits<std::int32_t>::max();
        if (const json* width = Field(obj, "width")) {
            view.widthPx = static_cast<std::int32_t>(Integer(*width, "width", where, 1, maxPx));
        }
        if (const json* height = Field(obj, "height")) {
            view.heightPx = static_cast<std::int32_t>(Integer(*height, "height", where, 1, maxPx));
        }
        drawing_.View().Reset(view);
    }

private:
    Drawing drawing_;
    LayerInRead layer_;
};

DrawingBuilder::DrawingBuilder(std::size_t textSize) : impl_(std::make_unique<Impl>(textSize)) {}
DrawingBuilder::~DrawingBuilder() = default;

json& DrawingBuilder::BeginLayer(std::size_t index) {
    return impl_->BeginLayer(index);
}
void DrawingBuilder::BeginLayerEntities() {
    impl_->BeginLayerEntities();
}
void DrawingBuilder::AddEntity(EntityFields& fields) {
    impl_->AddEntity(fields);
}
void DrawingBuilder::EndLayer() {
    impl_->EndLayer();
}
void DrawingBuilder::CheckVersion(const json& root) {
    impl_->CheckVersion(root);
}
void DrawingBuilder::EndDrawing(const json& root) {
    impl_->EndDrawing(root);
}
Drawing DrawingBuilder::Take() {
    return impl_->Take();
}

} // namespace cadhost::json_read
