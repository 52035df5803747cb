#include "cadhost/formats/dxf/reader.h"

#include "cadhost/formats/dxf/mtext_content.h"
#include "cadhost/formats/dxf/state_store.h"
#include "host/codepage.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <numbers>
#include <unordered_map>
#include <utility>

namespace cadhost::dxf {

namespace {

// Thrown only inside the reader and caught at its top: it carries the message for the user.
struct ReadError {
    std::string message;
};

[[noreturn]] void Fail(std::size_t line, const std::string& what) {
    throw ReadError{"line " + std::to_string(line) + ": " + what};
}

constexpr std::string_view kVersions[] = {"AC1009", "AC1012", "AC1014", "AC1015", "AC1018",
                                          "AC1021", "AC1024", "AC1027", "AC1032"};

bool KnownVersion(std::string_view v) {
    return std::find(std::begin(kVersions), std::end(kVersions), v) != std::end(kVersions);
}

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
// Handles are at most 16 hexadecimal digits; a save needs a few new ones for the store.
constexpr std::uint64_t kLastHandle = ~std::uint64_t{0};
constexpr std::uint64_t kHandlesReserved = 64;
constexpr std::size_t kShortestEntityBytes = 7;
// The group codes whose first tag in a record the reader looks up.
constexpr int kIndexedCodes = 100;
constexpr std::uint32_t kNoTag = ~std::uint32_t{0};

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

class Reader {
public:
    Reader(std::string bytes, std::string source) : doc_(std::make_shared<Document>()) {
        doc_->bytes = std::move(bytes);
        doc_->source = std::move(source);
        doc_->version = std::string(kOldestVersion);
        tags_ = TagReader(doc_->bytes);
    }

    LoadedDxf Run() {
        LoadedDxf result;
        try {
            ReadFile();
        } catch (const ReadError& e) {
            result.error = doc_->source + ": " + e.message;
            return result;
        }
        result.notes = std::move(notes_);
        result.drawing = std::move(drawing_);
        result.document = std::move(doc_);
        return result;
    }

private:
    std::string_view Value(const Tag& t) const {
        return std::string_view(doc_->bytes).substr(t.offset, t.length);
    }

    bool NextTag(Tag& t) {
        if (tags_.Next(t)) {
            lastLine_ = t.line + 1;
            return true;
        }
        if (!tags_.Error().empty())
            throw ReadError{tags_.Error()};
        return false;
    }

    // The next tag of the section that began at `sectionLine`; false at its ENDSEC.
    bool NextInSection(Tag& t, std::string_view section, std::size_t sectionLine) {
        if (!NextTag(t)) {
            Fail(lastLine_, "the file ends inside the " + std::string(section) +
                                " section that begins at line " + std::to_string(sectionLine) +
                                "; ENDSEC is missing");
        }
        if (t.code != 0)
            return true;
        const std::string_view v = Trimmed(Value(t));
        if (v == "ENDSEC") {
            endsecStart_ = t.start;
            return false;
        }
        if (v == "SECTION" || v == "EOF") {
            Fail(t.line, "the " + std::string(section) + " section that begins at line " +
                             std::to_string(sectionLine) + " has no ENDSEC before this " +
                             std::string(v));
        }
        return true;
    }

    void ReadFile() {
        if (doc_->bytes.size() > kMaxFileSize)
            throw ReadError{"the file is larger than 4 GiB, which this host does not read"};
        // No entity is shorter than "0\nLINE\n"; room reserved beyond what the file fills is
        // address space only, never touched.
        drawing_.ReserveEntities(doc_->bytes.size() / kShortestEntityBytes);
        NoteLineStyle();
        Tag t;
        bool sawEof = false;
        while (NextTag(t)) {
            if (t.code == 999)
                continue;
            const std::string_view v = Trimmed(Value(t));
            if (t.code == 0 && v == "EOF") {
                sawEof = true;
                break;
            }
            if (t.code != 0 || v != "SECTION") {
                Fail(t.line,
                     "expected a section (0 SECTION) or the end (0 EOF), found group code " +
                         std::to_string(t.code) + " \"" + std::string(v.substr(0, 40)) + "\"");
            }
            ReadSection(t.line);
        }
        if (!sawEof)
            Fail(lastLine_, "the file ends without EOF");
        ReadyCodec(); // a file of only tables still needs its encoding settled
        FinishPolyline();
        EnsureLayer();
        ApplyCurrentLayer();
        if (secondObjects_) {
            doc_->store.unavailable = "the file has more than one OBJECTS section";
        } else if (objectsSeen_) {
            ReadStateStore(*doc_, objects_, objectsEnd_, drawing_, doc_->store);
        } else {
            doc_->store.unavailable = doc_->version == kOldestVersion
                                          ? "R12 files have no objects section"
                                          : "the file has no OBJECTS section";
        }
        doc_->loaded = CaptureState(drawing_);
        RaiseNextHandle();
        NoteLeftOut();
    }

    // New tags written into the file look like the ones around them.
    void NoteLineStyle() {
        const std::string_view b = doc_->bytes;
        const std::size_t nl = b.find('\n');
        if (nl != std::string_view::npos && nl > 0 && b[nl - 1] == '\r')
            doc_->lineEnd = "\r\n";
        const std::size_t first = b.starts_with("\xEF\xBB\xBF") ? 3 : 0;
        doc_->paddedCodes = first < b.size() && b[first] == ' ';
    }

    void ReadSection(std::size_t sectionLine) {
        Tag name;
        if (!NextTag(name) || name.code != 2)
            Fail(sectionLine, "a section must be named by group code 2 on the next line");
        const std::string_view section = Trimmed(Value(name));
        if (section == "HEADER")
            return ReadHeader(sectionLine);
        ReadyCodec();
        if (section == "OBJECTS")
            return ReadObjects(sectionLine);
        ReadRecords(section, sectionLine);
    }

    void ReadHeader(std::size_t sectionLine) {
        Tag t;
        std::string_view variable;
        while (NextInSection(t, "HEADER", sectionLine)) {
            if (t.code == 9) {
                variable = Trimmed(Value(t));
                continue;
            }
            if (variable == "$ACADVER" && t.code == 1) {
                doc_->version = std::string(Trimmed(Value(t)));
                versionLine_ = t.line + 1;
            } else if (variable == "$DWGCODEPAGE" && t.code == 3) {
                codePage_ = std::string(Trimmed(Value(t)));
                codePageLine_ = t.line + 1;
            } else if (variable == "$CLAYER" && t.code == 8) {
                currentLayer_ = std::string(Value(t));
            } else if (variable == "$HANDSEED" && t.code == 5) {
                doc_->store.handSeed = Span{t.offset, std::size_t{t.offset} + t.length};
                if (const auto seed = ParseHandle(Value(t)))
                    seed_ = *seed;
            }
        }
    }

    // Settles the version and the text encoding once the header has been read, or at the
    // first section when the file has no header.
    void ReadyCodec() {
        if (codecReady_)
            return;
        codecReady_ = true;
        const std::string& v = doc_->version;
        if (!KnownVersion(v)) {
            Fail(versionLine_, "DXF version " + v +
                                   " is not supported; this host reads AC1009 (R12) to AC1032 "
                                   "(R2018)");
        }
        if (v >= kFirstUtf8Version) {
            doc_->codec = TextCodec::Utf8();
            return;
        }
        const std::string page = codePage_.empty() ? "ANSI_1252" : codePage_;
        auto codec = TextCodec::ForCodePage(page);
        if (!codec) {
            Fail(codePageLine_, "the code page \"" + page +
                                    "\" ($DWGCODEPAGE) is not known; this host reads the Windows "
                                    "code pages ANSI_874 to ANSI_1258 and the DOS and ISO ones");
        }
        doc_->codec = std::move(*codec);
    }

    // A section read as records: a 0 tag and the tags up to the next one.
    void ReadRecords(std::string_view section, std::size_t sectionLine) {
        Tag t;
        bool more = NextInSection(t, section, sectionLine);
        while (more) {
            record_.clear();
            record_.push_back(t);
            while ((more = NextInSection(t, section, sectionLine)) && t.code != 0)
                record_.push_back(t);
            NoteHandle();
            IndexRecord();
            // Tags before the section's first 0 belong to no record.
            if (record_.front().code != 0)
                continue;
            if (section == "TABLES")
                TableRecord();
            else if (section == "ENTITIES")
                EntityRecord();
        }
        FinishPolyline();
    }

    void ReadObjects(std::size_t sectionLine) {
        // The store is written into one OBJECTS section; a second one makes the place unclear.
        secondObjects_ = objectsSeen_;
        objectsSeen_ = true;
        Tag t;
        while (NextInSection(t, "OBJECTS", sectionLine)) {
            objects_.push_back(t);
            if (t.code == 5)
                NoteHandleValue(Value(t));
        }
        objectsEnd_ = endsecStart_;
    }

    static std::optional<std::uint64_t> ParseHandle(std::string_view v) {
        v = Trimmed(v);
        std::uint64_t h = 0;
        const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), h, 16);
        if (v.empty() || ec != std::errc() || end != v.data() + v.size())
            return std::nullopt;
        return h;
    }

    void NoteHandleValue(std::string_view v) {
        if (const auto h = ParseHandle(v))
            maxHandle_ = std::max(maxHandle_, *h);
    }

    void NoteHandle() {
        // DIMSTYLE entries keep their handle in 105, since their 5 is taken.
        for (const Tag& t : record_) {
            if (t.code == 5 || t.code == 105)
                NoteHandleValue(Value(t));
        }
    }

    void RaiseNextHandle() {
        // A file that has used up the handles has no room for the store.
        const std::uint64_t highest = std::max(seed_, maxHandle_);
        if (highest >= kLastHandle - kHandlesReserved) {
            if (doc_->store.unavailable.empty())
                doc_->store.unavailable = "the file has no free handles left";
            return;
        }
        doc_->store.nextHandle = std::max(seed_, maxHandle_ + 1);
    }

    // Values of the record's tags.
    // The first tag of each group code below kIndexedCodes in the record, up to its embedded
    // object or extended data: found once per record instead of once per question.
    void IndexRecord() {
        first_.fill(kNoTag);
        for (std::size_t i = 0; i < record_.size(); ++i) {
            const int code = record_[i].code;
            if (code == 101 || code == 1001)
                break;
            if (code >= 0 && code < kIndexedCodes &&
                first_[static_cast<std::size_t>(code)] == kNoTag)
                first_[static_cast<std::size_t>(code)] = static_cast<std::uint32_t>(i);
        }
    }

    const Tag* First(int code) const {
        const std::uint32_t i = first_[static_cast<std::size_t>(code)];
        return i == kNoTag ? nullptr : &record_[i];
    }

    double Number(const Tag& t) const {
        const std::string_view v = Trimmed(Value(t));
        double d = 0;
        const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), d);
        if (v.empty() || ec != std::errc() || end != v.data() + v.size() || !std::isfinite(d)) {
            Fail(t.line + 1, "\"" + std::string(v.substr(0, 40)) +
                                 "\" is not a number (group code " + std::to_string(t.code) + ")");
        }
        return d;
    }

    double Number(int code, double fallback) const {
        const Tag* t = First(code);
        return t == nullptr ? fallback : Number(*t);
    }

    int Integer(int code, int fallback) const {
        const Tag* t = First(code);
        if (t == nullptr)
            return fallback;
        const std::string_view v = Trimmed(Value(*t));
        int n = 0;
        const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), n);
        if (v.empty() || ec != std::errc() || end != v.data() + v.size()) {
            Fail(t->line + 1, "\"" + std::string(v.substr(0, 40)) +
                                  "\" is not a whole number (group code " + std::to_string(code) +
                                  ")");
        }
        return n;
    }

    point Point(int xCode) const {
        return point{Number(xCode, 0), Number(xCode + 10, 0), Number(xCode + 20, 0)};
    }

    std::string_view Type() const { return Trimmed(Value(record_.front())); }

    // Tables: only the layers matter to the host.
    void TableRecord() {
        const std::string_view type = Type();
        if (type == "TABLE") {
            const Tag* name = First(2);
            inLayerTable_ = name != nullptr && Trimmed(Value(*name)) == "LAYER";
            return;
        }
        if (!inLayerTable_ || type != "LAYER")
            return;
        const Tag* name = First(2);
        if (name == nullptr)
            return;
        const std::int32_t colour = Integer(62, kDefaultColour);
        const int flags = Integer(70, 0);
        lgl_addr addr = LayerFor(Value(*name), true);
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

    void ApplyCurrentLayer() {
        if (currentLayer_.empty())
            return;
        UpperAscii(currentLayer_, layerKey_);
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
        if (const Tag* handle = First(5))
            c.name = std::string(Trimmed(Value(*handle)));
        const Tag* layer = First(8);
        c.layer = LayerFor(layer == nullptr ? std::string_view("0") : Value(*layer));
        const std::int32_t colour = Integer(62, kColourByLayer);
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

    void EntityRecord() {
        const std::string_view type = Type();
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
        const Tag* value = First(1);
        if (value == nullptr)
            return;
        // An attribute with an embedded MTEXT is drawn from that MTEXT, not from its value.
        if (attribute && std::any_of(record_.begin(), record_.end(),
                                     [](const Tag& t) { return t.code == 101; })) {
            return Count(LeftOut::MultiLineAttribute);
        }
        const TextFit fit = doc_->codec.ToHost(Value(*value), text_);
        if (fit != TextFit::Held)
            return Count(fit == TextFit::NotInCp1252 ? LeftOut::NotInCp1252
                                                     : LeftOut::NotDecodable);
        if (text_.size() > kMaxTextLength)
            return Count(LeftOut::TooLong);
        Common c = CommonProperties();
        const double height = Number(40, 1);
        const point insert = Point(10);
        const double angle = Radians(Number(50, 0));
        const lgl_addr addr = Add(c.layer, std::move(c.name), [&](std::string name) {
            Entity e = MakeText(text_, insert, height > 0 ? height : 1, std::move(name));
            e.text.angle = angle;
            e.color = c.colour;
            return e;
        });
        doc_->texts.push_back(EditableText{addr, value->offset, value->length});
    }

    void MTextEntity() {
        raw_.clear();
        for (const Tag& t : record_) {
            if (t.code == 101 || t.code == 1001)
                break;
            if (t.code == 3 || t.code == 1)
                raw_.append(Value(t));
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
        const double height = Number(40, 1) > 0 ? Number(40, 1) : 1;
        double angle = Radians(Number(50, 0));
        if (const Tag* dx = First(11))
            angle = std::atan2(Number(21, 0), Number(*dx));
        const point insert = Point(10);
        const double spacing = height * kMTextLineSpacing * Number(44, 1);
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
        const point from = Point(10);
        const point to = Point(11);
        Add(c.layer, std::move(c.name), [&](std::string name) {
            Entity e = MakeLine(from, to, std::move(name));
            e.color = c.colour;
            return e;
        });
    }

    void LwPolylineEntity() {
        Common c = CommonProperties();
        const double elevation = Number(38, 0);
        std::vector<point> points;
        for (std::size_t i = 0; i < record_.size(); ++i) {
            const Tag& t = record_[i];
            if (t.code == 1001)
                break;
            if (t.code == 10) {
                points.push_back(point{Number(t), 0, elevation});
            } else if (t.code == 20 && !points.empty()) {
                points.back().y = Number(t);
            }
        }
        AddOutline(std::move(points), (Integer(70, 0) & kPolylineClosed) != 0, std::move(c));
    }

    void StartPolyline() {
        Common c = CommonProperties();
        polyline_ = PolylineInProgress{};
        polyline_.active = true;
        const int flags = Integer(70, 0);
        polyline_.skip = (flags & kPolylineMeshes) != 0;
        polyline_.closed = (flags & kPolylineClosed) != 0;
        polyline_.name = std::move(c.name);
        polyline_.layer = c.layer;
        polyline_.colour = c.colour;
    }

    void Vertex() {
        if (!polyline_.active || polyline_.skip)
            return;
        if ((Integer(70, 0) & kVertexFrameControl) != 0)
            return;
        polyline_.points.push_back(Point(10));
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

    void NoteLeftOut() {
        std::size_t total = 0;
        for (const std::size_t n : leftOut_)
            total += n;
        if (total == 0)
            return;
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
        notes_.push_back(note);
    }

    std::shared_ptr<Document> doc_;
    Drawing drawing_;
    TagReader tags_{std::string_view()};
    std::vector<std::string> notes_;
    std::size_t lastLine_ = 1;
    std::size_t endsecStart_ = 0;

    std::size_t versionLine_ = 1;
    std::string codePage_;
    std::size_t codePageLine_ = 1;
    bool codecReady_ = false;
    std::string currentLayer_;
    std::uint64_t seed_ = 0;
    std::uint64_t maxHandle_ = 0;

    std::vector<Tag> record_;
    std::array<std::uint32_t, kIndexedCodes> first_{};
    bool inLayerTable_ = false;
    std::unordered_map<std::string, lgl_addr> layers_; // by the name in capitals
    std::string layerKey_;
    std::string lastLayerRaw_;
    lgl_addr lastLayer_;
    std::string text_;
    std::string raw_;
    PolylineInProgress polyline_;
    std::array<std::size_t, static_cast<std::size_t>(LeftOut::Count)> leftOut_{};

    bool objectsSeen_ = false;
    bool secondObjects_ = false;
    std::vector<Tag> objects_;
    std::size_t objectsEnd_ = 0;
};

} // namespace

bool LooksLikeBinaryDxf(std::string_view head) {
    return head.starts_with("AutoCAD Binary DXF");
}

bool LooksLikeDwg(std::string_view head) {
    // A DWG file begins with its version, "AC1015" and the like, with no line end after it.
    if (head.size() < 6 || !head.starts_with("AC10"))
        return false;
    return std::isdigit(static_cast<unsigned char>(head[4])) &&
           std::isdigit(static_cast<unsigned char>(head[5]));
}

LoadedDxf ReadDxf(std::string bytes, std::string source) {
    return Reader(std::move(bytes), std::move(source)).Run();
}

} // namespace cadhost::dxf
