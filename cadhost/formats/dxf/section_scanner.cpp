#include "cadhost/formats/dxf/section_scanner.h"

#include "cadhost/formats/dxf/read_error.h"
#include "cadhost/formats/dxf/record.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string_view>

namespace cadhost::dxf {

namespace {

constexpr std::string_view kVersions[] = {"AC1009", "AC1012", "AC1014", "AC1015", "AC1018",
                                          "AC1021", "AC1024", "AC1027", "AC1032"};

bool KnownVersion(std::string_view v) {
    return std::find(std::begin(kVersions), std::end(kVersions), v) != std::end(kVersions);
}

// Handles are at most 16 hexadecimal digits; a save needs a few new ones for the store.
constexpr std::uint64_t kLastHandle = ~std::uint64_t{0};
constexpr std::uint64_t kHandlesReserved = 64;
// The fewest bytes an entity takes: "0\nLINE\n".
constexpr std::size_t kShortestEntityBytes = 7;

class Scanner {
public:
    Scanner(Document& doc, ModelBuilder& builder)
        : doc_(&doc), builder_(&builder), tags_(doc.image.Bytes(), &doc.image.Source()),
          record_(doc.image.Bytes()) {}

    ScannedFile Take() { return std::move(scanned_); }

    std::string_view Value(const Tag& t) const {
        return doc_->image.Bytes().substr(t.offset, t.length);
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

    void Run() {
        if (doc_->image.Size() > kMaxFileSize)
            throw ReadError{"the file is larger than 4 GiB, which this host does not read"};
        // No entity is shorter than "0\nLINE\n"; room reserved beyond what the file fills is
        // address space only, never touched.
        builder_->ReserveEntities(doc_->image.Size() / kShortestEntityBytes);
        Tag t;
        bool sawEof = false;
        bool first = true;
        while (NextTag(t)) {
            if (first)
                NoteLineStyle(t);
            first = false;
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
    }

    // New tags written into the file look like the ones around them: the first tag's line end
    // and the padding of its group code tell how. (Read from the tag, since a file read as the
    // reader goes has only what the tag reader has asked for.)
    void NoteLineStyle(const Tag& first) {
        const std::string_view b = doc_->image.Bytes();
        // The group-code line ends just before the value begins.
        if (first.offset >= 2 && b[first.offset - 2] == '\r')
            doc_->lineEnd = "\r\n";
        doc_->paddedCodes = b[first.start] == ' ';
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
                scanned_.currentLayer = std::string(Value(t));
            } else if (variable == "$HANDSEED" && t.code == 5) {
                doc_->store.handSeed = Span{t.offset, std::size_t{t.offset} + t.length};
                if (const auto seed = ParseHandle(Value(t)))
                    scanned_.seed = *seed;
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
        const std::size_t sectionStart = t.start;
        while (more) {
            record_.Begin(t);
            while ((more = NextInSection(t, section, sectionLine)) && t.code != 0)
                record_.Add(t);
            NoteHandle();
            record_.Index();
            // Tags before the section's first 0 belong to no record.
            if (record_.Tags().front().code != 0)
                continue;
            if (section == "TABLES") {
                builder_->TableRecord(record_);
            } else if (section == "ENTITIES") {
                builder_->EntityRecord(record_);
                // The builder copies what it keeps of a record, and a save reads an entity's
                // bytes from the file again, so the bytes of the records behind are not
                // needed in memory any more: most of a large drawing is its entities.
                doc_->image.ReleaseBehind(sectionStart, t.start);
            }
        }
        if (section == "ENTITIES")
            doc_->image.ReleaseAllBehind(sectionStart, t.start);
        builder_->EndSection();
    }

    void ReadObjects(std::size_t sectionLine) {
        // The store is written into one OBJECTS section; a second one makes the place unclear.
        scanned_.secondObjects = scanned_.objectsSeen;
        scanned_.objectsSeen = true;
        Tag t;
        while (NextInSection(t, "OBJECTS", sectionLine)) {
            scanned_.objects.push_back(t);
            if (t.code == 5)
                NoteHandleValue(Value(t));
        }
        scanned_.objectsEnd = endsecStart_;
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
            scanned_.maxHandle = std::max(scanned_.maxHandle, *h);
    }

    void NoteHandle() {
        // DIMSTYLE entries keep their handle in 105, since their 5 is taken.
        for (const Tag& t : record_.Tags()) {
            if (t.code == 5 || t.code == 105)
                NoteHandleValue(Value(t));
        }
    }

private:
    Document* doc_;
    ModelBuilder* builder_;
    TagReader tags_;
    Record record_;
    ScannedFile scanned_;
    std::size_t lastLine_ = 1;
    std::size_t endsecStart_ = 0;
    std::size_t versionLine_ = 1;
    std::string codePage_;
    std::size_t codePageLine_ = 1;
    bool codecReady_ = false;
};

} // namespace

ScannedFile ScanSections(Document& doc, ModelBuilder& builder) {
    Scanner scanner(doc, builder);
    scanner.Run();
    return scanner.Take();
}

void SetNextHandle(const ScannedFile& scanned, StoreLayout& store) {
    // A file that has used up the handles has no room for the store.
    const std::uint64_t highest = std::max(scanned.seed, scanned.maxHandle);
    if (highest >= kLastHandle - kHandlesReserved) {
        if (store.unavailable.empty())
            store.unavailable = "the file has no free handles left";
        return;
    }
    store.nextHandle = std::max(scanned.seed, scanned.maxHandle + 1);
}

} // namespace cadhost::dxf
