// Writing a drawing file. The text is written straight from the model into one string, with
// one line per layer and per entity: compact, yet a change of one entity is a change of one line.
#include "cadhost/formats/json_drawing.h"
#include "host/codepage.h"

#include <nlohmann/json.hpp>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <functional>
#include <unordered_map>
#include <unordered_set>

namespace cadhost {

namespace {

constexpr std::int64_t kFormatVersion = 1;

// About what one plain text takes in the file, to size the text once.
constexpr std::size_t kBytesPerEntityEstimate = 80;

// Text is gathered in a buffer of this size and handed on when it is full, so that a save needs
// no copy of the whole file in memory.
constexpr std::size_t kChunkBytes = 1 << 18;

class Writer {
public:
    explicit Writer(std::string& out, const std::function<void(std::string_view)>* sink = nullptr)
        : out_(out), sink_(sink) {}

    // Hands what was gathered on to the sink, if there is one and the buffer is full enough.
    void FlushIfFull() {
        if (sink_ != nullptr && out_.size() >= kChunkBytes) {
            Flush();
        }
    }
    void Flush() {
        if (sink_ != nullptr && !out_.empty()) {
            (*sink_)(out_);
            out_.clear();
        }
    }

    void Raw(std::string_view s) { out_.append(s); }

    void Integer(std::int64_t n) {
        char buffer[24];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, n).ptr;
        out_.append(buffer, end);
    }

    // The shortest form that reads back as the same double. JSON has no infinities or NaN:
    // they are written as null, as nlohmann writes them.
    void Real(double x) {
        if (!std::isfinite(x)) {
            out_.append("null");
            return;
        }
        // "-0" would read back as the whole number 0; the minus sign of a zero places nothing
        // differently, so it is not written.
        if (x == 0)
            x = 0;
        char buffer[32];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, x).ptr;
        out_.append(buffer, end);
    }

    void Bool(bool b) { out_.append(b ? "true" : "false"); }

    // A host text (Windows-1252) as a JSON string (UTF-8).
    void HostText(std::string_view cp1252) {
        out_.push_back('"');
        const bool ascii = std::all_of(cp1252.begin(), cp1252.end(),
                                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
        if (ascii) {
            Escaped(cp1252);
        } else {
            Escaped(qx::host::Cp1252ToUtf8(cp1252));
        }
        out_.push_back('"');
    }

    // An entity name: any bytes. What is not UTF-8 is replaced, which keeps the file readable
    // instead of failing the save. Names are few, so nlohmann's checking writer does this.
    void Name(const std::string& name) {
        out_.append(
            nlohmann::json(name).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
    }

    void Key(std::string_view key) {
        out_.push_back('"');
        out_.append(key);
        out_.append("\":");
    }

private:
    // UTF-8 text with the characters JSON requires escaped.
    void Escaped(std::string_view utf8) {
        std::size_t plain = 0;
        for (std::size_t i = 0; i < utf8.size(); ++i) {
            const auto c = static_cast<unsigned char>(utf8[i]);
            if (c >= 0x20 && c != '"' && c != '\\') {
                continue;
            }
            out_.append(utf8.substr(plain, i - plain));
            plain = i + 1;
            switch (c) {
            case '"':
                out_.append("\\\"");
                break;
            case '\\':
                out_.append("\\\\");
                break;
            case '\n':
                out_.append("\\n");
                break;
            case '\r':
                out_.append("\\r");
                break;
            case '\t':
                out_.append("\\t");
                break;
            default: {
                static constexpr char kHex[] = "0123456789abcdef";
                const char escape[] = {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 0xF]};
                out_.append(escape, sizeof escape);
            }
            }
        }
        out_.append(utf8.substr(plain));
    }

    std::string& out_;
    const std::function<void(std::string_view)>* sink_;
};

void WritePoint(Writer& w, const point& p) {
    w.Raw("[");
    w.Real(p.x);
    w.Raw(",");
    w.Real(p.y);
    if (p.z != 0) {
        w.Raw(",");
        w.Real(p.z);
    }
    w.Raw("]");
}

// The fields of a text, without the braces: a plain text's fields sit beside the entity's own.
void WriteTextFields(Writer& w, const TextData& t) {
    w.Key("text");
    w.HostText(t.text);
    w.Raw(",");
    w.Key("at");
    WritePoint(w, t.insert);
    if (t.size != 1) {
        w.Raw(",");
        w.Key("size");
        w.Real(t.size);
    }
    if (t.angle != 0) {
        w.Raw(",");
        w.Key("angle");
        w.Real(t.angle);
    }
}

std::string_view TypeName(std::uint8_t code) {
    switch (code) {
    case qx::host::kEntText:
        return "text";
    case qx::host::kEntParagraphText:
        return "paragraph";
    case qx::host::kEntMultiLineText:
        return "multiline";
    case kEntLine:
        return "line";
    case qx::host::kEntPolygon:
        return "polygon";
    default:
        return {};
    }
}

void WriteEntity(Writer& w, const Entity& e) {
    w.Raw("{\"type\":\"");
    w.Raw(TypeName(e.type));
    w.Raw("\"");
    if (!e.name.empty()) {
        w.Raw(",");
        w.Key("name");
        w.Name(e.name);
    }
    if (e.color != 1) {
        w.Raw(",");
        w.Key("colour");
        w.Integer(e.color);
    }
    if (e.weight != 1) {
        w.Raw(",");
        w.Key("weight");
        w.Integer(e.weight);
    }
    w.Raw(",");
    if (e.type == qx::host::kEntText) {
        WriteTextFields(w, e.text);
    } else if (IsSmartText(e.type)) {
        w.Key("pieces");
        w.Raw("[");
        for (std::size_t i = 0; i < e.pieces.size(); ++i) {
            w.Raw(i == 0 ? "{" : ",{");
            WriteTextFields(w, e.pieces[i]);
            w.Raw("}");
        }
        w.Raw("]");
    } else {
        w.Key("points");
        w.Raw("[");
        for (std::size_t i = 0; i < e.points.size(); ++i) {
            if (i > 0) {
                w.Raw(",");
            }
            WritePoint(w, e.points[i]);
        }
        w.Raw("]");
    }
    w.Raw("}");
}

std::uint64_t AddrKey(lgl_addr a) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(a.page)) << 32) |
           static_cast<std::uint32_t>(a.ofs);
}

// How the file refers to a member of a selection set: by the entity's name, or by its layer
// and its place among the entities the file lists for that layer.
struct MemberRef {
    const Entity* entity = nullptr;
    const Layer* layer = nullptr;
    std::size_t index = 0;
};

void WriteMember(Writer& w, const MemberRef& ref) {
    if (!ref.entity->name.empty()) {
        w.Name(ref.entity->name);
        return;
    }
    w.Raw("{\"layer\":");
    w.HostText(ref.layer->name);
    w.Raw(",\"index\":");
    w.Integer(static_cast<std::int64_t>(ref.index));
    w.Raw("}");
}

void WriteLayersAndEntities(Writer& w, const Drawing& drawing,
                            std::unordered_map<std::uint64_t, MemberRef>& refs) {
    w.Raw("\"layers\":[");
    const auto& layers = drawing.Layers();
    for (std::size_t li = 0; li < layers.size(); ++li) {
        const Layer& layer = layers[li];
        w.Raw(li == 0 ? "\n{" : ",\n{");
        w.Key("name");
        w.HostText(layer.name);
        w.Raw(",\"on\":");
        w.Bool(layer.on);
        w.Raw(",\"locked\":");
        w.Bool(layer.locked);
        if (layer.color != 1) {
            w.Raw(",\"colour\":");
            w.Integer(layer.color);
        }
        std::size_t written = 0;
        drawing.ForEachEntityOnLayer(layer.addr, [&](const Entity& e) {
            w.Raw(written == 0 ? ",\"entities\":[\n" : ",\n");
            if (const auto ref = refs.find(AddrKey(e.addr)); ref != refs.end()) {
                ref->second = MemberRef{&e, &layer, written};
            }
            WriteEntity(w, e);
            w.FlushIfFull();
            ++written;
        });
        w.Raw(written == 0 ? "}" : "]}");
    }
    w.Raw("],\n");
}

void WriteSelectionSets(Writer& w, const Drawing& drawing,
                        const std::unordered_map<std::uint64_t, MemberRef>& refs) {
    w.Raw("\"selectionSets\":[");
    for (int set = 0; set < kSelectionSetCount; ++set) {
        w.Raw(set == 0 ? "\n{\"set\":" : ",\n{\"set\":");
        w.Integer(set);
        w.Raw(",\"name\":");
        w.HostText(drawing.SelectionSets().Name(set));
        bool first = true;
        for (const lgl_addr addr : drawing.SelectionSets().Members(set)) {
            // Members that were erased are not in the file, so they leave the set.
            const auto ref = refs.find(AddrKey(addr));
            if (ref == refs.end() || ref->second.entity == nullptr) {
                continue;
            }
            w.Raw(first ? ",\"members\":[" : ",");
            first = false;
            WriteMember(w, ref->second);
        }
        w.Raw(first ? "}" : "]}");
    }
    w.Raw("],\n");
}

void WriteAttributes(Writer& w, const Drawing& drawing) {
    w.Raw("\"attributes\":[");
    bool first = true;
    for (const Attribute& a : drawing.Attributes().All()) {
        w.Raw(first ? "\n{\"name\":" : ",\n{\"name\":");
        first = false;
        w.HostText(a.name);
        if (a.type == qx::host::kAtrText) {
            w.Raw(",\"text\":");
            w.HostText(a.textValue);
        } else {
            w.Raw(",\"integer\":");
            w.Integer(a.intValue);
        }
        w.Raw("}");
    }
    w.Raw("],\n");
}

void WriteView(Writer& w, const Drawing& drawing) {
    // Fields of the host's packed records are copied before use: they sit at unaligned
    // offsets.
    const ViewRec& view = drawing.View().Current();
    const double x = view.x;
    const double y = view.y;
    const double scale = view.scale;
    const std::int32_t width = view.widthPx;
    const std::int32_t height = view.heightPx;
    w.Raw("\"view\":{\"x\":");
    w.Real(x);
    w.Raw(",\"y\":");
    w.Real(y);
    w.Raw(",\"scale\":");
    w.Real(scale);
    w.Raw(",\"width\":");
    w.Integer(width);
    w.Raw(",\"height\":");
    w.Integer(height);
    w.Raw("}");
}

void WriteDrawing(Writer& w, const Drawing& drawing) {
    w.Raw("{\"version\":");
    w.Integer(kFormatVersion);
    w.Raw(",\n");
    if (const Layer* current = drawing.FindLayer(drawing.CurrentLayer())) {
        w.Raw("\"currentLayer\":");
        w.HostText(current->name);
        w.Raw(",\n");
    }
    // Only members of selection sets need to know where they land in the file.
    std::unordered_map<std::uint64_t, MemberRef> refs;
    for (int set = 0; set < kSelectionSetCount; ++set) {
        for (const lgl_addr addr : drawing.SelectionSets().Members(set)) {
            refs.emplace(AddrKey(addr), MemberRef{});
        }
    }
    WriteLayersAndEntities(w, drawing, refs);
    WriteSelectionSets(w, drawing, refs);
    w.Raw("\"selectionSetMask\":");
    const std::int32_t mask = drawing.SaveVars().selSetMask;
    w.Integer(mask);
    w.Raw(",\n");
    WriteAttributes(w, drawing);
    WriteView(w, drawing);
    w.Raw("}\n");
    w.Flush();
}

} // namespace

std::string DrawingToJson(const Drawing& drawing) {
    std::string out;
    out.reserve(4096 + drawing.EntityCount() * kBytesPerEntityEstimate);
    Writer w(out);
    WriteDrawing(w, drawing);
    return out;
}

void WriteDrawingJson(const Drawing& drawing, const std::function<void(std::string_view)>& sink) {
    std::string buffer;
    buffer.reserve(kChunkBytes + 4096);
    Writer w(buffer, &sink);
    WriteDrawing(w, drawing);
}

} // namespace cadhost
