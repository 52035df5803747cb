#include "cadhost/formats/dxf/model_builder.h"

#include "cadhost/formats/dxf/mtext_content.h"
#include "cadhost/model/huge_pages.h"
#include "host/codepage.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <new>
#include <numbers>
#include <stdexcept>
#include <unordered_map>
#include <utility>

namespace cadhost::dxf {

namespace {

// Why a text is not shown to the macro; each reason is counted for the load's note.
enum class LeftOut { NotInCp1252, NotDecodable, TooLong, MultiLineAttribute, Count };

struct Reason {
    std::string_view one;
    std::string_view many;
};
constexpr Reason kLeftOutReasons[] = {
    {"with characters that Windows-1252 cannot hold",
     "with characters that Windows-1252 cannot hold"},
    {"with bytes not valid in the file's encoding", "with bytes not valid in the file's encoding"},
    {"longer than 255 characters", "longer than 255 characters"},
    {"multi-line attribute", "multi-line attributes"},
};

// The default line spacing of MTEXT, as a multiple of the character height.
constexpr double kMTextLineSpacing = 5.0 / 3.0;
constexpr std::int32_t kDefaultColour = 7;
constexpr std::int32_t kColourByBlock = 0;
constexpr std::int32_t kColourByLayer = 256;
constexpr int kLayerFrozen = 1;
constexpr int kLayerLocked = 4;
constexpr int kPolylineClosed = 1;
constexpr int kPolylineMeshes = 16 | 64; // polygon and polyface meshes are not outlines
constexpr int kVertexFrameControl = 16;

double Radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

void UpperAscii(std::string_view in, std::string& out) {
    out.assign(in);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
}

// Splits a paragraph longer than a text piece may be at the last blank before the limit, as
// a drawn paragraph wraps.
void AppendPieces(std::string paragraph, std::vector<std::string>& pieces) {
    while (paragraph.size() > kMaxTextLength) {
        std::size_t cut = paragraph.rfind(' ', kMaxTextLength);
        cut = cut == std::string::npos || cut == 0 ? kMaxTextLength : cut;
        pieces.push_back(paragraph.substr(0, cut));
        paragraph.erase(0, cut == kMaxTextLength ? cut : cut + 1);
    }
    pieces.push_back(std::move(paragraph));
}

struct PolylineInProgress {
    bool active = false;
    bool skip = false; // a mesh: kept in the file, not shown
    bool closed = false;
    std::string name;
    lgl_addr layer;
    std::int32_t colour = 1;
    std::vector<point> points;
};

} // namespace

class ModelBuilder::Impl {
public:
    explicit Impl(Document& doc) : doc_(&doc) {}

    void ReserveEntities(std::size_t count) {
        drawing_.ReserveEntities(count);
        // The list of editable texts grows with the entities; reserved at once and advised to
        // huge pages, it never moves and faults in a few large pages. Only a guess: where the
        // system will not give that much address space, it grows as texts come instead.
        try {
            doc_->texts.reserve(doc_->texts.size() + count);
        } catch (const std::bad_alloc&) {
            return;
        } catch (const std::length_error&) {
            return;
        }
        AdviseHugePages(doc_->texts.data(), doc_->texts.capacity() * sizeof(EditableText));
    }
    void EndSection() { FinishPolyline(); }
    void Finish(std::string_view currentLayer) {
        FinishPolyline();
        EnsureLayer();
        ApplyCurrentLayer(currentLayer);
    }
    Drawing& Model() { return drawing_; }

    // Tables: only the layers matter to the host.
    void TableRecord(const Record& record) {
        rec_ = &record;
        const std::string_view type = rec_->Type();
        if (type == "TABLE") {
            const Tag* name = rec_->First(2);
            inLayerTable_ = name != nullptr && Trimmed(rec_->Value(*name)) == "LAYER";
            return;
        }
        if (!inLayerTable_ || type != "LAYER")
            return;
        const Tag* name = rec_->First(2);
        if (name == nullptr)
            return;
        const std::int32_t colour = rec_->Integer(62, kDefaultColour);
        const int flags = rec_->Integer(70, 0);
        lgl_addr addr = LayerFor(rec_->Value(*name), true);
        Layer* layer = drawing_.FindLayer(addr);
        if (layer == nullptr)
            return;
        layer->color = std::abs(colour);
        layer->on = colour >= 0 && (flags & kLayerFrozen) == 0;
        layer->locked = (flags & kLayerLocked) != 0;
    }

    // The layer of a name as the file spells it. DXF compares layer names without regard
    // to letter case; a layer an entity names but the table lacks is made as AutoCAD does.
    lgl_addr LayerFor(std::string_view raw, bool fromTable = false) {
        if (!fromTable && !IsNil(lastLayer_) && raw == lastLayerRaw_)
            return lastLayer_;
        UpperAscii(raw, layerKey_);
        const auto it = layers_.find(layerKey_);
        if (it != layers_.end()) {
            if (fromTable)
                return {};
            lastLayerRaw_.assign(raw);
            lastLayer_ = it->second;
            return it->second;
        }
        std::string host;
        if (doc_->codec.ToHost(raw, host) != TextFit::Held) {
            std::string utf8;
            doc_->codec.ToUtf8(raw, utf8);
            host = qx::host::Utf8ToCp1252Lossy(DecodeUnicodeEscapes(utf8));
        }
        if (host.empty())
            host = "?";
        std::string name = host;
        lgl_addr addr = drawing_.AddLayer(name);
        for (int n = 2; IsNil(addr); ++n) {
            name = host + " (" + std::to_string(n) + ")";
            addr = drawing_.AddLayer(name);
        }
        if (!fromTable) {
            drawing_.FindLayer(addr)->color = kDefaultColour;
        }
        layers_.emplace(layerKey_, addr);
        lastLayerRaw_.assign(raw);
        lastLayer_ = addr;
        return addr;
    }

    void EnsureLayer() {
        if (drawing_.Layers().empty())
            LayerFor("0");
    }

    void ApplyCurrentLayer(std::string_view currentLayer) {
        if (currentLayer.empty())
            return;
        UpperAscii(currentLayer, layerKey_);
        const auto it = layers_.find(layerKey_);
        if (it != layers_.end())
            drawing_.SetCurrentLayer(it->second);
    }

    struct Common {
        std::string name;
        lgl_addr layer;
        std::int32_t colour = kDefaultColour;
    };

    Common CommonProperties() {
        Common c;
        if (const Tag* handle = rec_->First(5))
            c.name = std::string(Trimmed(rec_->Value(*handle)));
        const Tag* layer = rec_->First(8);
        c.layer = LayerFor(layer == nullptr ? std::string_view("0") : rec_->Value(*layer));
        const std::int32_t colour = rec_->Integer(62, kColourByLayer);
        c.colour = colour == kColourByLayer   ? drawing_.FindLayer(c.layer)->color
                   : colour == kColourByBlock ? kDefaultColour
                                              : std::abs(colour);
        return c;
    }

    // Adds the entity that `make` builds under the name (the handle) it is given. A handle
    // that another entity already has (a damaged file) leaves the second entity without a name
    // rather than out of the drawing; trying first and building again then costs less than
    // looking every handle up beforehand.
    template <typename Make> lgl_addr Add(lgl_addr layer, std::string name, const Make& make) {
        const bool named = !name.empty();
        const lgl_addr addr = drawing_.AddEntity(make(std::move(name)), layer);
        if (!IsNil(addr) || !named)
            return addr;
        return drawing_.AddEntity(make(std::string()), layer);
    }

    void EntityRecord(const Record& record) {
        rec_ = &record;
        const std::string_view type = rec_->Type();
        if (type != "VERTEX")
            FinishPolyline();
        if (type == "TEXT" || type == "ATTRIB")
            return TextEntity(type == "ATTRIB");
        if (type == "MTEXT")
            return MTextEntity();
        if (type == "LINE")
            return LineEntity();
        if (type == "LWPOLYLINE")
            return LwPolylineEntity();
        if (type == "POLYLINE")
            return StartPolyline();
        if (type == "VERTEX")
            return Vertex();
    }

    void Count(LeftOut why) { ++leftOut_[static_cast<std::size_t>(why)]; }

    void TextEntity(bool attribute) {
        const Tag* value = rec_->First(1);
        if (value == nullptr)
            return;
        // An attribute with an embedded MTEXT is drawn from that MTEXT, not from its value.
        if (attribute && std::any_of(rec_->Tags().begin(), rec_->Tags().end(),
                                     [](const Tag& t) { return t.code == 101; })) {
            return Count(LeftOut::MultiLineAttribute);
        }
        const TextFit fit = doc_->codec.ToHost(rec_->Value(*value), text_);
        if (fit != TextFit::Held)
            return Count(fit == TextFit::NotInCp1252 ? LeftOut::NotInCp1252
                                                     : LeftOut::NotDecodable);
        if (text_.size() > kMaxTextLength)
            return Count(LeftOut::TooLong);
        Common c = CommonProperties();
        const double height = rec_->Number(40, 1);
        const point insert = rec_->Point(10);
        const double angle = Radians(rec_->Number(50, 0));
        const lgl_addr addr = Add(c.layer, std::move(c.name), [&](std::string name) {
            Entity e = MakeText(text_, insert, height > 0 ? height : 1, std::move(name));
            e.text.angle = angle;
            e.color = c.colour;
            return e;
        });
        doc_->texts.push_back(EditableText{addr.ofs, value->offset, value->length});
    }

    void MTextEntity() {
        raw_.clear();
        for (const Tag& t : rec_->Tags()) {
            if (t.code == 101 || t.code == 1001)
                break;
            if (t.code == 3 || t.code == 1)
                raw_.append(rec_->Value(t));
        }
        std::string utf8;
        if (!doc_->codec.ToUtf8(raw_, utf8))
            return Count(LeftOut::NotDecodable);
        std::vector<std::string> pieces;
        for (std::string& paragraph : MTextParagraphs(utf8)) {
            auto host = qx::host::Utf8ToCp1252(paragraph);
            if (!host)
                return Count(LeftOut::NotInCp1252);
            AppendPieces(std::move(*host), pieces);
        }
        if (pieces.empty())
            pieces.emplace_back();
        Common c = CommonProperties();
        const double height = rec_->Number(40, 1) > 0 ? rec_->Number(40, 1) : 1;
        double angle = Radians(rec_->Number(50, 0));
        if (const Tag* dx = rec_->First(11))
            angle = std::atan2(rec_->Number(21, 0), rec_->Number(*dx));
        const point insert = rec_->Point(10);
        const double spacing = height * kMTextLineSpacing * rec_->Number(44, 1);
        std::vector<TextData> data;
        data.reserve(pieces.size());
        // Pieces sit one line below the other from the first baseline, one text height below
        // the insert point: near enough for showing where the text is.
        for (std::size_t k = 0; k < pieces.size(); ++k) {
            const double down = height + static_cast<double>(k) * spacing;
            const point at{insert.x + down * std::sin(angle), insert.y - down * std::cos(angle),
                           insert.z};
            data.push_back(TextData{std::move(pieces[k]), at, height, angle});
        }
        Add(c.layer, std::move(c.name), [&](std::string name) {
            Entity e = MakeSmartText(qx::host::kEntMultiLineText, data, std::move(name));
            e.color = c.colour;
            return e;
        });
    }

    void LineEntity() {
        Common c = CommonProperties();
        const point from = rec_->Point(10);
        const point to = rec_->Point(11);
        Add(c.layer, std::move(c.name), [&](std::string name) {
            Entity e = MakeLine(from, to, std::move(name));
            e.color = c.colour;
            return e;
        });
    }

    void LwPolylineEntity() {
        Common c = CommonProperties();
        const double elevation = rec_->Number(38, 0);
        std::vector<point> points;
        for (const Tag& t : rec_->Tags()) {
            if (t.code == 1001)
                break;
            if (t.code == 10) {
                points.push_back(point{rec_->Number(t), 0, elevation});
            } else if (t.code == 20 && !points.empty()) {
                points.back().y = rec_->Number(t);
            }
        }
        AddOutline(std::move(points), (rec_->Integer(70, 0) & kPolylineClosed) != 0, std::move(c));
    }

    void StartPolyline() {
        Common c = CommonProperties();
        polyline_ = PolylineInProgress{};
        polyline_.active = true;
        const int flags = rec_->Integer(70, 0);
        polyline_.skip = (flags & kPolylineMeshes) != 0;
        polyline_.closed = (flags & kPolylineClosed) != 0;
        polyline_.name = std::move(c.name);
        polyline_.layer = c.layer;
        polyline_.colour = c.colour;
    }

    void Vertex() {
        if (!polyline_.active || polyline_.skip)
            return;
        if ((rec_->Integer(70, 0) & kVertexFrameControl) != 0)
            return;
        polyline_.points.push_back(rec_->Point(10));
    }

    void FinishPolyline() {
        if (!polyline_.active)
            return;
        polyline_.active = false;
        if (polyline_.skip)
            return;
        AddOutline(std::move(polyline_.points), polyline_.closed,
                   Common{std::move(polyline_.name), polyline_.layer, polyline_.colour});
    }

    // A polyline is shown as a line when it has two points and as polygons of at most as
    // many points as a host record holds otherwise; only the first carries the handle.
    void AddOutline(std::vector<point> points, bool closed, Common c) {
        if (points.size() < 2)
            return;
        if (closed && points.size() > 2)
            points.push_back(points.front());
        const std::size_t max = static_cast<std::size_t>(qx::host::kEntityMaxPoints);
        for (std::size_t from = 0; from + 1 < points.size(); from += max - 1) {
            const std::size_t to = std::min(points.size(), from + max);
            const std::vector<point> part(points.begin() + static_cast<std::ptrdiff_t>(from),
                                          points.begin() + static_cast<std::ptrdiff_t>(to));
            Add(c.layer, std::exchange(c.name, {}), [&](std::string name) {
                Entity e = part.size() == 2 ? MakeLine(part[0], part[1], std::move(name))
                                            : MakePolygon(part, std::move(name));
                e.color = c.colour;
                return e;
            });
        }
    }

    std::vector<std::string> Notes() const {
        std::size_t total = 0;
        for (const std::size_t n : leftOut_)
            total += n;
        if (total == 0)
            return {};
        std::string note = doc_->source + ": " + std::to_string(total) +
                           (total == 1 ? " text is kept as it is" : " texts are kept as they are") +
                           " and not offered to the macro:";
        const char* separator = " ";
        for (std::size_t i = 0; i < leftOut_.size(); ++i) {
            if (leftOut_[i] == 0)
                continue;
            const Reason& reason = kLeftOutReasons[i];
            note += separator + std::to_string(leftOut_[i]) + " " +
                    std::string(leftOut_[i] == 1 ? reason.one : reason.many);
            separator = ", ";
        }
        return {note};
    }

private:
    Document* doc_;
    const Record* rec_ = nullptr; // the record being read
    Drawing drawing_;
    bool inLayerTable_ = false;
    std::unordered_map<std::string, lgl_addr> layers_; // by the name in capitals
    std::string layerKey_;
    std::string lastLayerRaw_;
    lgl_addr lastLayer_;
    std::string text_;
    std::string raw_;
    PolylineInProgress polyline_;
    std::array<std::size_t, static_cast<std::size_t>(LeftOut::Count)> leftOut_{};
};

ModelBuilder::ModelBuilder(Document& doc) : impl_(std::make_unique<Impl>(doc)) {}
ModelBuilder::~ModelBuilder() = default;

void ModelBuilder::ReserveEntities(std::size_t count) {
    impl_->ReserveEntities(count);
}
void ModelBuilder::TableRecord(const Record& record) {
    impl_->TableRecord(record);
}
void ModelBuilder::EntityRecord(const Record& record) {
    impl_->EntityRecord(record);
}
void ModelBuilder::EndSection() {
    impl_->EndSection();
}
void ModelBuilder::Finish(std::string_view currentLayer) {
    impl_->Finish(currentLayer);
}
Drawing& ModelBuilder::Model() {
    return impl_->Model();
}
std::vector<std::string> ModelBuilder::Notes() const {
    return impl_->Notes();
}

} // namespace cadhost::dxf
