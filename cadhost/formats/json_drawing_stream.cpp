// The stream of the JSON reader: nlohmann's SAX events routed into the builder. An entity's
// fields are gathered in a fixed record and handed over when its object ends, so no document
// tree of the entities is ever built; the small rest of the file (a layer's own fields,
// selection sets, attributes, the view) is gathered into a tree.
#include "cadhost/formats/json_drawing_stream.h"

#include <utility>
#include <vector>

namespace cadhost::json_read {

using namespace json_checks;

namespace {

const Where kTheDrawing("the drawing");

std::string LayerWhere(std::size_t index) {
    return "layer " + std::to_string(index);
}

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
class StreamReader {
public:
    explicit StreamReader(DrawingBuilder& builder) : builder_(builder) {}

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
            builder_.AddEntity(notAnObject);
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
            stack_.push_back(
                {Frame::Tree, &builder_.BeginLayer(layerCount_++), OpenFrame::Role::Layer});
            return true;
        case Frame::Entities:
            if (list) {
                EntityFields notAnObject = FieldsOfKind<EntityFields>(kind);
                builder_.AddEntity(notAnObject);
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
            builder_.AddEntity(currentEntity_);
        } else if (closed.kind == Frame::Tree && closed.role == OpenFrame::Role::Layer) {
            builder_.EndLayer();
        } else if (closed.kind == Frame::Tree && closed.role == OpenFrame::Role::Drawing) {
            builder_.EndDrawing(root_);
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
            builder_.CheckVersion(root_);
            Push(Frame::Layers);
            return;
        }
        if (list && top.role == OpenFrame::Role::Layer && pendingKey_ == "entities") {
            (*top.tree)["entities"] = json::array();
            builder_.BeginLayerEntities();
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

    DrawingBuilder& builder_;
    std::vector<OpenFrame> stack_;
    json root_ = json::object();
    std::string pendingKey_;
    std::size_t layerCount_ = 0;
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

} // namespace

qx::Status StreamDrawing(std::string_view text, DrawingBuilder& builder) {
    StreamReader reader(builder);
    try {
        if (!json::sax_parse(text, &reader)) {
            return qx::Failure{"not valid JSON: " + WithoutTag(reader.SyntaxError())};
        }
    } catch (const json::exception& e) {
        return qx::Failure{WithoutTag(e.what())};
    }
    return {};
}

} // namespace cadhost::json_read
