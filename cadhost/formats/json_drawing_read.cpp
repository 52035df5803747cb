// Reading a drawing file. The file streams through nlohmann's SAX parser straight into the
// model: an entity's fields are gathered into a small record and checked when its object ends,
// so no document tree of the whole drawing is ever built. The rest of the file (layer fields,
// selection sets, attributes, the view) is small and is read through a tree as before.
#include "cadhost/formats/json_checks.h"
#include "cadhost/formats/json_drawing.h"

#include <algorithm>
#include <initializer_list>
#include <limits>
#include <new>
#include <optional>
#include <utility>
#include <vector>

namespace cadhost {

namespace {

using namespace json_checks;

constexpr std::int64_t kFormatVersion = 1;
const Where kTheDrawing("the drawing");

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

// ---- An entity's fields as the stream gave them ----

// A point field: a list of two or three numbers, or whatever stood there instead.
struct PointValue {
    FieldValue::Kind kind = FieldValue::Kind::Absent;
    std::size_t count = 0;                                                // elements of the list
    std::size_t firstNonNumber = std::numeric_limits<std::size_t>::max(); // its index
    double coords[3] = {};
};

// The fields an entity or a text piece may have. A key's bit is set when the key was given.
enum class FieldKey : std::uint8_t {
    Type,
    Name,
    Colour,
    Weight,
    Text,
    At,
    Size,
    Angle,
    Pieces,
    Points
};
constexpr std::string_view kKeyNames[] = {"type", "name", "colour", "weight", "text",
                                          "at",   "size", "angle",  "pieces", "points"};

constexpr std::uint32_t Bit(FieldKey k) {
    return 1u << static_cast<unsigned>(k);
}

std::optional<FieldKey> KeyNamed(std::string_view name) {
    for (std::size_t i = 0; i < std::size(kKeyNames); ++i) {
        if (kKeyNames[i] == name) {
            return static_cast<FieldKey>(i);
        }
    }
    return std::nullopt;
}

// What a key of an object was: the keys given, the first one given twice, and the unknown key
// that a check by name order would meet first.
struct KeySeen {
    std::uint32_t given = 0;
    std::string twice;
    std::string unknown;

    void Note(std::string_view name, std::optional<FieldKey> key) {
        if (!key) {
            if (unknown.empty() || name < unknown) {
                unknown = std::string(name);
            }
            return;
        }
        if ((given & Bit(*key)) != 0 && twice.empty()) {
            twice = std::string(name);
        }
        given |= Bit(*key);
    }

    // The same faults, in the same words, as the checks of the tree reader.
    void Check(std::uint32_t allowed, const Where& where) const {
        if (!twice.empty()) {
            Fail(where, "the field " + Quoted(twice) + " is given twice in one object");
        }
        std::string first = unknown;
        for (std::size_t i = 0; i < std::size(kKeyNames); ++i) {
            const bool refused = (given & ~allowed & Bit(static_cast<FieldKey>(i))) != 0;
            if (refused && (first.empty() || kKeyNames[i] < first)) {
                first = std::string(kKeyNames[i]);
            }
        }
        if (!first.empty()) {
            Fail(where, "unknown field " + Quoted(first));
        }
    }
};

struct PieceFields {
    FieldValue::Kind kind = FieldValue::Kind::Object;
    KeySeen keys;
    FieldValue text, size, angle;
    PointValue at;
};

struct EntityFields {
    FieldValue::Kind kind = FieldValue::Kind::Object;
    KeySeen keys;
    FieldValue type, name, colour, weight, text, size, angle;
    PointValue at;
    FieldValue::Kind piecesKind = FieldValue::Kind::Absent;
    std::vector<PieceFields> pieces;
    FieldValue::Kind pointsKind = FieldValue::Kind::Absent;
    std::vector<PointValue> points;
};

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

constexpr std::uint32_t kCommonKeys =
    Bit(FieldKey::Type) | Bit(FieldKey::Name) | Bit(FieldKey::Colour) | Bit(FieldKey::Weight);
constexpr std::uint32_t kTextKeys =
    Bit(FieldKey::Text) | Bit(FieldKey::At) | Bit(FieldKey::Size) | Bit(FieldKey::Angle);

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

// ---- The reader ----

FieldValue OfKind(FieldValue::Kind kind) {
    FieldValue v;
    v.kind = kind;
    return v;
}

template <typename Fields> Fields FieldsOfKind(FieldValue::Kind kind) {
    Fields f;
    f.kind = kind;
    return f;
}

// The shortest entity the format has, {"type":"text","text":"","at":[0,0]}, takes this many
// bytes: a file cannot hold more entities than its size divided by it.
constexpr std::size_t kSmallestEntityBytes = 36;

class StreamReader {
public:
    // Room for as many entities as the text can hold is reserved at once: the pages of the
    // room that stays unused are never touched, so they cost address space, not memory.
    explicit StreamReader(std::size_t textSize) {
        drawing_.ReserveEntities(textSize / kSmallestEntityBytes);
    }

    // The SAX interface of nlohmann::json.
    bool null() { return Scalar(OfKind(FieldValue::Kind::Null), nullptr); }
    bool boolean(bool b) {
        FieldValue v = OfKind(FieldValue::Kind::Bool);
        v.boolean = b;
        return Scalar(std::move(v), b);
    }
    bool number_integer(json::number_integer_t n) {
        FieldValue v = OfKind(FieldValue::Kind::Integer);
        v.integer = n;
        return Scalar(std::move(v), n);
    }
    bool number_unsigned(json::number_unsigned_t n) {
        FieldValue v = OfKind(FieldValue::Kind::Unsigned);
        v.unsignedInteger = n;
        return Scalar(std::move(v), n);
    }
    bool number_float(json::number_float_t x, const json::string_t&) {
        FieldValue v = OfKind(FieldValue::Kind::Real);
        v.real = x;
        return Scalar(std::move(v), x);
    }
    bool string(json::string_t& s) {
        if (stack_.empty() || stack_.back().kind == Frame::Tree) {
            return Scalar(OfKind(FieldValue::Kind::Text), std::move(s));
        }
        FieldValue v = OfKind(FieldValue::Kind::Text);
        v.text = std::move(s);
        return Scalar(std::move(v), nullptr);
    }
    bool binary(json::binary_t&) { return Scalar(OfKind(FieldValue::Kind::Null), nullptr); }
    bool start_object(std::size_t) { return Open(FieldValue::Kind::Object); }
    bool start_array(std::size_t) { return Open(FieldValue::Kind::List); }
    bool end_object() { return Close(); }
    bool end_array() { return Close(); }
    bool key(json::string_t& k) {
        TakeKey(std::move(k));
        return true;
    }
    bool parse_error(std::size_t, const std::string&, const json::exception& e) {
        syntaxError_ = e.what();
        return false;
    }

    const std::string& SyntaxError() const { return syntaxError_; }
    Drawing Take() { return std::move(drawing_); }

private:
    // What the innermost open list or object is.
    enum class Frame : std::uint8_t {
        Tree,     // read into a tree: the drawing's fields, a layer's fields, and all below them
        Layers,   // the drawing's "layers"
        Entities, // a layer's "entities"
        Entity,
        Pieces,
        Piece,
        Points, // a line's or polygon's "points"
        Point,  // the numbers of one point
        Skip,   // a list or object whose content does not matter
    };
    // Where the next value goes in an entity or a piece.
    enum class Next : std::uint8_t { None, Field, Point, Pieces, Points, Ignore };

    struct OpenFrame {
        Frame kind;
        json* tree = nullptr; // Tree: the list or object being filled
        enum class Role : std::uint8_t { Plain, Drawing, Layer } role = Role::Plain;
    };

    // ---- Events ----

    template <typename TreeValue> bool Scalar(FieldValue v, TreeValue&& treeValue) {
        if (stack_.empty()) {
            Fail(kTheDrawing, "must be an object");
        }
        switch (stack_.back().kind) {
        case Frame::Tree:
            PutInTree(json(std::forward<TreeValue>(treeValue)));
            return true;
        case Frame::Layers:
            Fail(Where(LayerWhere(layerCount_)), "must be an object");
        case Frame::Entities: {
            EntityFields notAnObject = FieldsOfKind<EntityFields>(v.kind);
            FinishEntity(notAnObject);
        }
            return true;
        case Frame::Entity:
        case Frame::Piece:
            PutField(std::move(v));
            return true;
        case Frame::Pieces:
            currentEntity_.pieces.push_back(FieldsOfKind<PieceFields>(v.kind));
            return true;
        case Frame::Points:
            currentEntity_.points.push_back(FieldsOfKind<PointValue>(v.kind));
            return true;
        case Frame::Point:
            AddCoordinate(v);
            return true;
        case Frame::Skip:
            return true;
        }
        return true;
    }

    bool Open(FieldValue::Kind kind) {
        if (stack_.empty()) {
            if (kind != FieldValue::Kind::Object) {
                Fail(kTheDrawing, "must be an object");
            }
            stack_.push_back({Frame::Tree, &root_, OpenFrame::Role::Drawing});
            return true;
        }
        const bool list = kind == FieldValue::Kind::List;
        switch (stack_.back().kind) {
        case Frame::Tree:
            OpenInTree(kind);
            return true;
        case Frame::Layers:
            if (list) {
                Fail(Where(LayerWhere(layerCount_)), "must be an object");
            }
            layer_ = LayerInRead{};
            layer_.index = layerCount_++;
            stack_.push_back({Frame::Tree, &layer_.header, OpenFrame::Role::Layer});
            return true;
        case Frame::Entities:
            if (list) {
                EntityFields notAnObject = FieldsOfKind<EntityFields>(kind);
                FinishEntity(notAnObject);
                Push(Frame::Skip);
                return true;
            }
            currentEntity_ = EntityFields{};
            Push(Frame::Entity);
            return true;
        case Frame::Entity:
        case Frame::Piece:
            OpenField(kind);
            return true;
        case Frame::Pieces:
            currentEntity_.pieces.push_back(FieldsOfKind<PieceFields>(kind));
            Push(list ? Frame::Skip : Frame::Piece);
            return true;
        case Frame::Points:
            currentEntity_.points.push_back(FieldsOfKind<PointValue>(kind));
            Push(list ? Frame::Point : Frame::Skip);
            return true;
        case Frame::Point:
            AddCoordinate(OfKind(kind));
            Push(Frame::Skip);
            return true;
        case Frame::Skip:
            Push(Frame::Skip);
            return true;
        }
        return true;
    }

    bool Close() {
        const OpenFrame closed = stack_.back();
        stack_.pop_back();
        if (closed.kind == Frame::Entity) {
            FinishEntity(currentEntity_);
        } else if (closed.kind == Frame::Tree && closed.role == OpenFrame::Role::Layer) {
            FinishLayer();
        } else if (closed.kind == Frame::Tree && closed.role == OpenFrame::Role::Drawing) {
            FinishDrawing();
        }
        return true;
    }

    void TakeKey(std::string k) {
        OpenFrame& top = stack_.back();
        if (top.kind == Frame::Tree) {
            // JSON lets a later key win over an earlier one; in a file a person edits, a key
            // given twice is a mistake to point at, not a value to drop silently.
            if (top.tree->contains(k)) {
                throw FormatError{"the field " + Quoted(k) + " is given twice in one object"};
            }
            pendingKey_ = std::move(k);
            return;
        }
        if (top.kind != Frame::Entity && top.kind != Frame::Piece) {
            return;
        }
        const bool piece = top.kind == Frame::Piece;
        const std::optional<FieldKey> known = KeyNamed(k);
        // A piece knows only the text fields; anything else is unknown there.
        const bool allowed = known && (!piece || (Bit(*known) & kTextKeys) != 0);
        KeySeen& seen = piece ? currentEntity_.pieces.back().keys : currentEntity_.keys;
        seen.Note(k, allowed ? known : std::nullopt);
        if (!allowed) {
            next_ = Next::Ignore;
            return;
        }
        lastKey_ = *known;
        next_ = NextFor(*known);
    }

    // ---- The tree part ----

    void PutInTree(json value) {
        OpenFrame& top = stack_.back();
        if (top.tree->is_array()) {
            top.tree->push_back(std::move(value));
            return;
        }
        (*top.tree)[pendingKey_] = std::move(value);
    }

    void OpenInTree(FieldValue::Kind kind) {
        OpenFrame& top = stack_.back();
        const bool list = kind == FieldValue::Kind::List;
        // The layers and their entities stream into the model instead of into the tree; the
        // tree keeps an empty list in their place, so that its checks see the key.
        if (list && top.role == OpenFrame::Role::Drawing && pendingKey_ == "layers") {
            (*top.tree)["layers"] = json::array();
            CheckVersion();
            Push(Frame::Layers);
            return;
        }
        if (list && top.role == OpenFrame::Role::Layer && pendingKey_ == "entities") {
            (*top.tree)["entities"] = json::array();
            if (layer_.header.contains("name")) {
                AddLayer();
            }
            Push(Frame::Entities);
            return;
        }
        json* child = nullptr;
        if (top.tree->is_array()) {
            top.tree->push_back(list ? json::array() : json::object());
            child = &top.tree->back();
        } else {
            child = &((*top.tree)[pendingKey_] = list ? json::array() : json::object());
        }
        stack_.push_back({Frame::Tree, child, OpenFrame::Role::Plain});
    }

    void Push(Frame kind) { stack_.push_back({kind, nullptr, OpenFrame::Role::Plain}); }

    // ---- Entities ----

    static Next NextFor(FieldKey key) {
        switch (key) {
        case FieldKey::At:
            return Next::Point;
        case FieldKey::Pieces:
            return Next::Pieces;
        case FieldKey::Points:
            return Next::Points;
        default:
            return Next::Field;
        }
    }

    // The field the last key named, in the entity or in its last piece.
    FieldValue* NamedField() {
        const FieldKey key = lastKey_;
        if (stack_.back().kind == Frame::Piece) {
            PieceFields& p = currentEntity_.pieces.back();
            switch (key) {
            case FieldKey::Text:
                return &p.text;
            case FieldKey::Size:
                return &p.size;
            default:
                return &p.angle;
            }
        }
        EntityFields& e = currentEntity_;
        switch (key) {
        case FieldKey::Type:
            return &e.type;
        case FieldKey::Name:
            return &e.name;
        case FieldKey::Colour:
            return &e.colour;
        case FieldKey::Weight:
            return &e.weight;
        case FieldKey::Text:
            return &e.text;
        case FieldKey::Size:
            return &e.size;
        default:
            return &e.angle;
        }
    }

    PointValue& AtField() {
        return stack_.back().kind == Frame::Piece ? currentEntity_.pieces.back().at
                                                  : currentEntity_.at;
    }

    void PutField(FieldValue v) {
        switch (std::exchange(next_, Next::None)) {
        case Next::Field:
            *NamedField() = std::move(v);
            return;
        case Next::Point:
            AtField() = FieldsOfKind<PointValue>(v.kind);
            return;
        case Next::Pieces:
            currentEntity_.piecesKind = v.kind;
            return;
        case Next::Points:
            currentEntity_.pointsKind = v.kind;
            return;
        case Next::None:
        case Next::Ignore:
            return;
        }
    }

    void OpenField(FieldValue::Kind kind) {
        const bool list = kind == FieldValue::Kind::List;
        switch (std::exchange(next_, Next::None)) {
        case Next::Field:
            NamedField()->kind = kind;
            Push(Frame::Skip);
            return;
        case Next::Point:
            AtField() = FieldsOfKind<PointValue>(kind);
            Push(list ? Frame::Point : Frame::Skip);
            return;
        case Next::Pieces:
            currentEntity_.piecesKind = kind;
            Push(list ? Frame::Pieces : Frame::Skip);
            return;
        case Next::Points:
            currentEntity_.pointsKind = kind;
            Push(list ? Frame::Points : Frame::Skip);
            return;
        case Next::None:
        case Next::Ignore:
            Push(Frame::Skip);
            return;
        }
    }

    // A value inside a point's list: the point the innermost open Point frame fills.
    void AddCoordinate(const FieldValue& v) {
        PointValue& p = PointInFill();
        if (v.is_number() && p.count < 3) {
            p.coords[p.count] = AsDouble(v);
        } else if (!v.is_number() && p.firstNonNumber > p.count) {
            p.firstNonNumber = p.count;
        }
        ++p.count;
    }

    PointValue& PointInFill() {
        const Frame outer = stack_[stack_.size() - 2].kind;
        if (outer == Frame::Points) {
            return currentEntity_.points.back();
        }
        return outer == Frame::Piece ? currentEntity_.pieces.back().at : currentEntity_.at;
    }

    void FinishEntity(EntityFields& fields) {
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

    void FinishLayer() {
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

    void CheckVersion() {
        if (const json* version = Field(root_, "version")) {
            const auto v = Integer(*version, "version", kTheDrawing, 1,
                                   std::numeric_limits<std::int32_t>::max());
            if (v != kFormatVersion) {
                Fail(kTheDrawing,
                     "version " + std::to_string(v) + " is not known; this host reads version 1");
            }
        }
    }

    void FinishDrawing() {
        CheckKeys(root_,
                  {"version", "currentLayer", "layers", "selectionSets", "selectionSetMask",
                   "attributes", "view"},
                  kTheDrawing);
        CheckVersion();
        Array(Required(root_, "layers", kTheDrawing), "layers", kTheDrawing);
        if (drawing_.Layers().empty()) {
            Fail(kTheDrawing, "\"layers\" must hold at least one layer");
        }
        if (const json* current = Field(root_, "currentLayer")) {
            ReadCurrentLayer(*current);
        }
        if (const json* sets = Field(root_, "selectionSets")) {
            ReadSelectionSets(*sets);
        }
        if (const json* mask = Field(root_, "selectionSetMask")) {
            drawing_.SaveVars().selSetMask = Int32(*mask, "selectionSetMask", kTheDrawing);
        }
        if (const json* attributes = Field(root_, "attributes")) {
            ReadAttributes(*attributes);
        }
        if (const json* view = Field(root_, "view")) {
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

    Drawing drawing_;
    std::vector<OpenFrame> stack_;
    json root_ = json::object();
    std::string pendingKey_;
    std::size_t layerCount_ = 0;
    LayerInRead layer_;
    EntityFields currentEntity_;
    Next next_ = Next::None;
    FieldKey lastKey_ = FieldKey::Type;
    std::string syntaxError_;
};

// nlohmann's messages start with an internal tag in brackets, which tells a user nothing.
std::string WithoutTag(std::string_view what) {
    const auto end = what.find("] ");
    return std::string(end == std::string_view::npos ? what : what.substr(end + 2));
}

LoadedDrawing Failed(std::string_view source, const std::string& message) {
    return LoadedDrawing{std::nullopt, std::string(source) + ": " + message};
}

} // namespace

LoadedDrawing ParseDrawing(std::string_view text, std::string_view source) {
    StreamReader reader(text.size());
    try {
        if (!json::sax_parse(text, &reader)) {
            return Failed(source, "not valid JSON: " + WithoutTag(reader.SyntaxError()));
        }
        return LoadedDrawing{reader.Take(), {}};
    } catch (const FormatError& e) {
        return Failed(source, e.message);
    } catch (const json::exception& e) {
        return Failed(source, WithoutTag(e.what()));
    } catch (const std::bad_alloc&) {
        return Failed(source, "is too large for the memory this host can have");
    }
}

} // namespace cadhost
