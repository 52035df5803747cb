#include "cadhost/formats/json_drawing.h"

#include "cadhost/formats/file_replace.h"
#include "host/codepage.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <initializer_list>
#include <limits>
#include <map>
#include <sstream>
#include <utility>
#include <vector>

namespace cadhost {

namespace {

using nlohmann::json;
namespace fs = std::filesystem;

constexpr std::int64_t kFormatVersion = 1;

// Thrown only inside the reader and caught at its top: it carries the message for the user.
struct FormatError {
    std::string message;
};

[[noreturn]] void Fail(const std::string& where, const std::string& what) {
    throw FormatError{where + ": " + what};
}

std::string Quoted(std::string_view s) {
    return "\"" + std::string(s) + "\"";
}

void CheckObject(const json& v, const std::string& where) {
    if (!v.is_object()) {
        Fail(where, "must be an object");
    }
}

void CheckKeys(const json& obj, std::initializer_list<std::string_view> allowed,
               const std::string& where) {
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

const json& Required(const json& obj, std::string_view key, const std::string& where) {
    const json* v = Field(obj, key);
    if (v == nullptr) {
        Fail(where, "the field " + Quoted(key) + " is missing");
    }
    return *v;
}

std::string String(const json& v, std::string_view field, const std::string& where) {
    if (!v.is_string()) {
        Fail(where, Quoted(field) + " must be a text");
    }
    return v.get<std::string>();
}

bool Bool(const json& v, std::string_view field, const std::string& where) {
    if (!v.is_boolean()) {
        Fail(where, Quoted(field) + " must be true or false");
    }
    return v.get<bool>();
}

double Number(const json& v, std::string_view field, const std::string& where) {
    if (!v.is_number()) {
        Fail(where, Quoted(field) + " must be a number");
    }
    return v.get<double>();
}

std::int64_t Integer(const json& v, std::string_view field, const std::string& where,
                     std::int64_t min, std::int64_t max) {
    if (!v.is_number_integer()) {
        Fail(where, Quoted(field) + " must be a whole number");
    }
    // Unsigned values beyond the signed range are out of every range this format has.
    if (v.is_number_unsigned() &&
        v.get<std::uint64_t>() >
            static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
        Fail(where, Quoted(field) + " is out of range");
    }
    const auto n = v.get<std::int64_t>();
    if (n < min || n > max) {
        Fail(where, Quoted(field) + " must lie between " + std::to_string(min) + " and " +
                        std::to_string(max));
    }
    return n;
}

std::int32_t Int32(const json& v, std::string_view field, const std::string& where) {
    return static_cast<std::int32_t>(Integer(v, field, where,
                                             std::numeric_limits<std::int32_t>::min(),
                                             std::numeric_limits<std::int32_t>::max()));
}

// A text the host keeps: Windows-1252 and at most `maxLen` characters.
std::string HostText(const json& v, std::string_view field, const std::string& where,
                     std::size_t maxLen) {
    const std::string utf8 = String(v, field, where);
    const auto cp = qx::host::Utf8ToCp1252(utf8);
    if (!cp) {
        Fail(where, Quoted(field) + " " + Quoted(utf8) +
                        " holds a character that Windows-1252 cannot hold");
    }
    if (cp->size() > maxLen) {
        Fail(where, Quoted(field) + " is " + std::to_string(cp->size()) +
                        " characters long; at most " + std::to_string(maxLen) + " are allowed");
    }
    return *cp;
}

point Point(const json& v, std::string_view field, const std::string& where) {
    if (!v.is_array() || v.size() < 2 || v.size() > 3) {
        Fail(where, Quoted(field) + " must be a list of two or three numbers");
    }
    point p;
    p.x = Number(v[0], field, where);
    p.y = Number(v[1], field, where);
    p.z = v.size() == 3 ? Number(v[2], field, where) : 0.0;
    return p;
}

const json& Array(const json& v, std::string_view field, const std::string& where) {
    if (!v.is_array()) {
        Fail(where, Quoted(field) + " must be a list");
    }
    return v;
}

TextData ReadTextData(const json& obj, const std::string& where) {
    TextData t;
    t.text = HostText(Required(obj, "text", where), "text", where, kMaxTextLength);
    t.insert = Point(Required(obj, "at", where), "at", where);
    if (const json* size = Field(obj, "size")) {
        t.size = Number(*size, "size", where);
        if (!(t.size > 0)) {
            Fail(where, "\"size\" must be greater than 0");
        }
    }
    if (const json* angle = Field(obj, "angle")) {
        t.angle = Number(*angle, "angle", where);
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

std::uint8_t TypeCode(const std::string& name, const std::string& where) {
    for (const EntityType& t : kEntityTypes) {
        if (t.name == name) {
            return t.code;
        }
    }
    Fail(where, "unknown entity type " + Quoted(name) +
                    "; known are text, paragraph, multiline, line and polygon");
}

std::string_view TypeName(std::uint8_t code) {
    for (const EntityType& t : kEntityTypes) {
        if (t.code == code) {
            return t.name;
        }
    }
    return {};
}

std::vector<point> ReadPoints(const json& obj, std::size_t min, std::size_t max,
                              const std::string& where) {
    const json& list = Array(Required(obj, "points", where), "points", where);
    if (list.size() < min || list.size() > max) {
        Fail(where, "\"points\" must hold " +
                        (min == max ? std::to_string(min)
                                    : std::to_string(min) + " to " + std::to_string(max)) +
                        " points");
    }
    std::vector<point> points;
    for (const json& p : list) {
        points.push_back(Point(p, "points", where));
    }
    return points;
}

// Reads the fields that depend on the entity's type.
void ReadShape(const json& obj, Entity& e, const std::string& where) {
    if (e.type == qx::host::kEntText) {
        CheckKeys(obj, {"type", "name", "colour", "weight", "text", "at", "size", "angle"}, where);
        e.text = ReadTextData(obj, where);
        return;
    }
    if (IsSmartText(e.type)) {
        CheckKeys(obj, {"type", "name", "colour", "weight", "pieces"}, where);
        const json& pieces = Array(Required(obj, "pieces", where), "pieces", where);
        if (pieces.empty()) {
            Fail(where, "\"pieces\" must hold at least one text piece");
        }
        for (std::size_t k = 0; k < pieces.size(); ++k) {
            const std::string pieceWhere = "piece " + std::to_string(k) + " of " + where;
            CheckObject(pieces[k], pieceWhere);
            CheckKeys(pieces[k], {"text", "at", "size", "angle"}, pieceWhere);
            e.pieces.push_back(ReadTextData(pieces[k], pieceWhere));
        }
        return;
    }
    CheckKeys(obj, {"type", "name", "colour", "weight", "points"}, where);
    e.points =
        e.type == kEntLine
            ? ReadPoints(obj, 2, 2, where)
            : ReadPoints(obj, 3, static_cast<std::size_t>(qx::host::kEntityMaxPoints), where);
}

class Reader {
public:
    Drawing Read(const json& root) {
        CheckObject(root, "the drawing");
        CheckKeys(root,
                  {"version", "currentLayer", "layers", "selectionSets", "selectionSetMask",
                   "attributes", "view"},
                  "the drawing");
        if (const json* version = Field(root, "version")) {
            const auto v = Integer(*version, "version", "the drawing", 1,
                                   std::numeric_limits<std::int32_t>::max());
            if (v != kFormatVersion) {
                Fail("the drawing",
                     "version " + std::to_string(v) + " is not known; this host reads version 1");
            }
        }
        ReadLayers(Required(root, "layers", "the drawing"));
        if (const json* current = Field(root, "currentLayer")) {
            ReadCurrentLayer(*current);
        }
        if (const json* sets = Field(root, "selectionSets")) {
            ReadSelectionSets(*sets);
        }
        if (const json* mask = Field(root, "selectionSetMask")) {
            drawing_.SaveVars().selSetMask = Int32(*mask, "selectionSetMask", "the drawing");
        }
        if (const json* attributes = Field(root, "attributes")) {
            ReadAttributes(*attributes);
        }
        if (const json* view = Field(root, "view")) {
            ReadView(*view);
        }
        return std::move(drawing_);
    }

private:
    void ReadLayers(const json& layers) {
        Array(layers, "layers", "the drawing");
        if (layers.empty()) {
            Fail("the drawing", "\"layers\" must hold at least one layer");
        }
        for (std::size_t i = 0; i < layers.size(); ++i) {
            ReadLayer(layers[i], "layer " + std::to_string(i));
        }
    }

    void ReadLayer(const json& obj, std::string where) {
        CheckObject(obj, where);
        const std::string name = HostText(Required(obj, "name", where), "name", where, 255);
        if (name.empty()) {
            Fail(where, "the layer's name must not be empty");
        }
        where = "layer " + Quoted(qx::host::Cp1252ToUtf8(name));
        CheckKeys(obj, {"name", "on", "locked", "colour", "entities"}, where);
        if (drawing_.FindLayerByName(name) != nullptr) {
            Fail(where, "an earlier layer has the same name");
        }
        const json* on = Field(obj, "on");
        const json* locked = Field(obj, "locked");
        const lgl_addr addr =
            drawing_.AddLayer(name, on == nullptr || Bool(*on, "on", where),
                              locked != nullptr && Bool(*locked, "locked", where));
        if (const json* colour = Field(obj, "colour")) {
            drawing_.FindLayer(addr)->color = Int32(*colour, "colour", where);
        }
        fileAddrs_.emplace_back();
        const json* entities = Field(obj, "entities");
        if (entities == nullptr) {
            return;
        }
        Array(*entities, "entities", where);
        for (std::size_t j = 0; j < entities->size(); ++j) {
            ReadEntity((*entities)[j], addr, "entity " + std::to_string(j) + " on " + where);
        }
    }

    void ReadEntity(const json& obj, lgl_addr layer, std::string where) {
        CheckObject(obj, where);
        Entity e;
        if (const json* name = Field(obj, "name")) {
            e.name = String(*name, "name", where);
            if (e.name.empty()) {
                Fail(where, "an entity's name must not be empty");
            }
            where = "entity " + Quoted(e.name);
            if (!IsNil(drawing_.FindEntityByName(e.name))) {
                Fail(where, "an earlier entity has the same name");
            }
        }
        e.type = TypeCode(String(Required(obj, "type", where), "type", where), where);
        if (const json* colour = Field(obj, "colour")) {
            e.color = Int32(*colour, "colour", where);
        }
        if (const json* weight = Field(obj, "weight")) {
            e.weight = static_cast<std::uint8_t>(Integer(*weight, "weight", where, 0, 255));
        }
        ReadShape(obj, e, where);
        fileAddrs_.back().push_back(drawing_.AddEntity(std::move(e), layer));
    }

    void ReadCurrentLayer(const json& v) {
        const std::string name = HostText(v, "currentLayer", "the drawing", 255);
        const Layer* layer = drawing_.FindLayerByName(name);
        if (layer == nullptr) {
            Fail("the drawing", "\"currentLayer\" names " + Quoted(v.get<std::string>()) +
                                    ", which is not a layer of the drawing");
        }
        drawing_.SetCurrentLayer(layer->addr);
    }

    lgl_addr ReadMember(const json& v, const std::string& where) {
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
        const auto& onLayer = fileAddrs_[static_cast<std::size_t>(layer->addr.ofs) - 1];
        const auto index = Integer(Required(v, "index", where), "index", where, 0,
                                   std::numeric_limits<std::int32_t>::max());
        if (static_cast<std::size_t>(index) >= onLayer.size()) {
            Fail(where, "layer " + Quoted(qx::host::Cp1252ToUtf8(layerName)) + " has no entity " +
                            std::to_string(index));
        }
        return onLayer[static_cast<std::size_t>(index)];
    }

    void ReadSelectionSets(const json& sets) {
        Array(sets, "selectionSets", "the drawing");
        std::vector<bool> seen(kSelectionSetCount, false);
        for (std::size_t i = 0; i < sets.size(); ++i) {
            std::string where = "selection set entry " + std::to_string(i);
            CheckObject(sets[i], where);
            CheckKeys(sets[i], {"set", "name", "members"}, where);
            const auto set = static_cast<int>(
                Integer(Required(sets[i], "set", where), "set", where, 0, kSelectionSetCount - 1));
            where = "selection set " + std::to_string(set);
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
                drawing_.SelectionSets().Add(
                    set, ReadMember((*members)[k], "member " + std::to_string(k) + " of " + where));
            }
        }
    }

    void ReadAttributes(const json& attributes) {
        Array(attributes, "attributes", "the drawing");
        for (std::size_t i = 0; i < attributes.size(); ++i) {
            std::string where = "attribute " + std::to_string(i);
            const json& obj = attributes[i];
            CheckObject(obj, where);
            Attribute a;
            a.name = HostText(Required(obj, "name", where), "name", where, kMaxAttributeNameLength);
            if (a.name.empty()) {
                Fail(where, "an attribute's name must not be empty");
            }
            where = "attribute " + Quoted(qx::host::Cp1252ToUtf8(a.name));
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
        const std::string where = "the view";
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
    std::vector<std::vector<lgl_addr>> fileAddrs_; // per layer, the entities in file order
};

// nlohmann's messages start with an internal tag in brackets, which tells a user nothing.
std::string WithoutTag(std::string_view what) {
    const auto end = what.find("] ");
    return std::string(end == std::string_view::npos ? what : what.substr(end + 2));
}

LoadedDrawing Failed(std::string_view source, const std::string& message) {
    return LoadedDrawing{std::nullopt, std::string(source) + ": " + message};
}

json PointJson(const point& p) {
    if (p.z == 0) {
        return json::array({p.x, p.y});
    }
    return json::array({p.x, p.y, p.z});
}

json TextJson(const TextData& t) {
    json j = json::object();
    j["text"] = qx::host::Cp1252ToUtf8(t.text);
    j["at"] = PointJson(t.insert);
    if (t.size != 1) {
        j["size"] = t.size;
    }
    if (t.angle != 0) {
        j["angle"] = t.angle;
    }
    return j;
}

json EntityJson(const Entity& e) {
    json j = json::object();
    j["type"] = std::string(TypeName(e.type));
    if (!e.name.empty()) {
        j["name"] = e.name;
    }
    if (e.color != 1) {
        j["colour"] = e.color;
    }
    if (e.weight != 1) {
        j["weight"] = e.weight;
    }
    if (e.type == qx::host::kEntText) {
        j.update(TextJson(e.text));
    } else if (IsSmartText(e.type)) {
        json pieces = json::array();
        for (const TextData& piece : e.pieces) {
            pieces.push_back(TextJson(piece));
        }
        j["pieces"] = std::move(pieces);
    } else {
        json points = json::array();
        for (const point& p : e.points) {
            points.push_back(PointJson(p));
        }
        j["points"] = std::move(points);
    }
    return j;
}

} // namespace

LoadedDrawing ParseDrawing(std::string_view text, std::string_view source) {
    json root;
    // JSON lets a later key win over an earlier one; in a file a person edits, a key given twice
    // is a mistake to point at, not a value to drop silently.
    std::vector<std::vector<std::string>> keysOfOpenObjects;
    const auto refuseDuplicateKeys = [&](int, json::parse_event_t event, json& parsed) {
        if (event == json::parse_event_t::object_start) {
            keysOfOpenObjects.emplace_back();
        } else if (event == json::parse_event_t::object_end) {
            keysOfOpenObjects.pop_back();
        } else if (event == json::parse_event_t::key) {
            auto& keys = keysOfOpenObjects.back();
            const auto& key = parsed.get_ref<const std::string&>();
            if (std::find(keys.begin(), keys.end(), key) != keys.end()) {
                throw FormatError{"the field " + Quoted(key) + " is given twice in one object"};
            }
            keys.push_back(key);
        }
        return true;
    };
    try {
        root = json::parse(text, refuseDuplicateKeys);
    } catch (const json::exception& e) {
        return Failed(source, "not valid JSON: " + WithoutTag(e.what()));
    } catch (const FormatError& e) {
        return Failed(source, e.message);
    }
    try {
        return LoadedDrawing{Reader{}.Read(root), {}};
    } catch (const FormatError& e) {
        return Failed(source, e.message);
    } catch (const json::exception& e) {
        return Failed(source, WithoutTag(e.what()));
    }
}

LoadedDrawing LoadDrawingFile(const fs::path& file) {
    const std::string source = file.string();
    std::error_code ec;
    if (fs::is_directory(file, ec)) {
        return Failed(source, "is a folder, not a drawing file");
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return Failed(source, fs::exists(file, ec) ? "cannot be read" : "does not exist");
    }
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) {
        return Failed(source, "cannot be read");
    }
    return ParseDrawing(content.str(), source);
}

std::string DrawingToJson(const Drawing& drawing) {
    json root = json::object();
    root["version"] = kFormatVersion;
    if (const Layer* current = drawing.FindLayer(drawing.CurrentLayer())) {
        root["currentLayer"] = qx::host::Cp1252ToUtf8(current->name);
    }
    // Where each entity lands in the file, for the selection sets that refer to it.
    std::map<std::pair<std::int32_t, std::int32_t>, json> refs;
    json layers = json::array();
    const std::vector<lgl_addr> entities = drawing.Entities();
    for (const Layer& layer : drawing.Layers()) {
        json l = json::object();
        l["name"] = qx::host::Cp1252ToUtf8(layer.name);
        l["on"] = layer.on;
        l["locked"] = layer.locked;
        if (layer.color != 1) {
            l["colour"] = layer.color;
        }
        json list = json::array();
        for (const lgl_addr addr : entities) {
            const Entity& e = *drawing.FindEntity(addr);
            if (!(e.layer == layer.addr)) {
                continue;
            }
            refs[{addr.page, addr.ofs}] =
                e.name.empty() ? json{{"layer", l["name"]}, {"index", list.size()}} : json(e.name);
            list.push_back(EntityJson(e));
        }
        if (!list.empty()) {
            l["entities"] = std::move(list);
        }
        layers.push_back(std::move(l));
    }
    root["layers"] = std::move(layers);

    json sets = json::array();
    for (int set = 0; set < kSelectionSetCount; ++set) {
        json s = json::object();
        s["set"] = set;
        s["name"] = qx::host::Cp1252ToUtf8(drawing.SelectionSets().Name(set));
        json members = json::array();
        for (const lgl_addr addr : drawing.SelectionSets().Members(set)) {
            const auto ref = refs.find({addr.page, addr.ofs});
            if (ref != refs.end()) {
                members.push_back(ref->second);
            }
        }
        if (!members.empty()) {
            s["members"] = std::move(members);
        }
        sets.push_back(std::move(s));
    }
    root["selectionSets"] = std::move(sets);
    // Fields of the host's packed records are copied before use: JSON takes its values by
    // reference, and they sit at unaligned offsets.
    const std::int32_t mask = drawing.SaveVars().selSetMask;
    root["selectionSetMask"] = mask;

    json attributes = json::array();
    for (const Attribute& a : drawing.Attributes().All()) {
        json j = json::object();
        j["name"] = qx::host::Cp1252ToUtf8(a.name);
        if (a.type == qx::host::kAtrText) {
            j["text"] = qx::host::Cp1252ToUtf8(a.textValue);
        } else {
            j["integer"] = a.intValue;
        }
        attributes.push_back(std::move(j));
    }
    root["attributes"] = std::move(attributes);

    const ViewRec& view = drawing.View().Current();
    const double x = view.x;
    const double y = view.y;
    const double scale = view.scale;
    const std::int32_t width = view.widthPx;
    const std::int32_t height = view.heightPx;
    root["view"] = {{"x", x}, {"y", y}, {"scale", scale}, {"width", width}, {"height", height}};
    // Entity names come from scenarios and may be any bytes; replacing what is not UTF-8 keeps
    // the file readable instead of failing the save.
    return root.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

std::string SaveDrawingFile(const Drawing& drawing, const fs::path& file) {
    return ReplaceFileContents(file, DrawingToJson(drawing));
}

} // namespace cadhost
