// Reading DXF into the host model: what maps to what, what stays hidden, and clear messages for
// damaged files.
#include "cadhost/formats/dxf/reader.h"
#include "tests/cadhost/dxf/dxf_builder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace cadhost::dxf {
namespace {

using test::File;
using test::Header;
using test::LayerTable;
using test::Section;
using test::Tags;
using test::Text;
using test::Write;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

qx::Result<LoadedDxf> Load(const Tags& tags, const std::string& lineEnd = "\n") {
    return ReadDxf(Write(tags, lineEnd), "plan.dxf");
}

const Entity& ByHandle(const Drawing& d, const std::string& handle) {
    const Entity* e = d.FindEntity(d.FindEntityByName(handle));
    if (e == nullptr)
        throw std::runtime_error("no entity " + handle);
    return *e;
}

const Layer& LayerNamed(const Drawing& d, const std::string& name) {
    const Layer* l = d.FindLayerByName(name);
    if (l == nullptr)
        throw std::runtime_error("no layer " + name);
    return *l;
}

TEST(DxfReader, MapsLayersWithTheirStates) {
    const auto loaded = Load(File(
        {Header("AC1009", "ANSI_1252", {{9, "$CLAYER"}, {8, "doors"}}),
         LayerTable(
             {{"0", 7, 0}, {"Doors", 3, 0}, {"Off", -5, 0}, {"Frozen", 2, 1}, {"Locked", 4, 4}}),
         Section("ENTITIES", Text("20", "Elsewhere", "x"))}));
    ASSERT_TRUE(loaded) << loaded.error();
    const Drawing& d = loaded->drawing;
    ASSERT_EQ(d.Layers().size(), 6u);
    EXPECT_EQ(LayerNamed(d, "Doors").color, 3);
    EXPECT_TRUE(LayerNamed(d, "Doors").on);
    EXPECT_FALSE(LayerNamed(d, "Off").on);
    EXPECT_EQ(LayerNamed(d, "Off").color, 5);
    EXPECT_FALSE(LayerNamed(d, "Frozen").on);
    EXPECT_TRUE(LayerNamed(d, "Locked").locked);
    EXPECT_TRUE(LayerNamed(d, "Locked").on);
    // A layer that an entity names but the table lacks exists all the same.
    EXPECT_EQ(LayerNamed(d, "Elsewhere").color, 7);
    // $CLAYER, compared without regard to case as DXF compares layer names.
    EXPECT_EQ(d.CurrentLayer(), LayerNamed(d, "Doors").addr);
    EXPECT_TRUE(loaded->notes.empty());
}

TEST(DxfReader, MapsTextsAttributesAndOutlines) {
    const Tags entities = {
        {0, "TEXT"},     {5, "2E"},     {8, "Doors"},  {62, "3"},     {10, "1.5"},
        {20, "2"},       {30, "0"},     {40, "2.5"},   {1, "Door 1"}, {50, "90"},
        {0, "INSERT"},   {5, "30"},     {8, "0"},      {66, "1"},     {2, "TAG"},
        {10, "5"},       {20, "5"},     {0, "ATTRIB"}, {5, "31"},     {8, "0"},
        {10, "5"},       {20, "5"},     {40, "1"},     {1, "D-01"},   {2, "NUM"},
        {70, "0"},       {0, "SEQEND"}, {5, "32"},     {0, "LINE"},   {5, "33"},
        {8, "0"},        {10, "0"},     {20, "0"},     {11, "3"},     {21, "4"},
        {0, "POLYLINE"}, {5, "34"},     {8, "0"},      {66, "1"},     {70, "1"},
        {0, "VERTEX"},   {5, "35"},     {10, "0"},     {20, "0"},     {0, "VERTEX"},
        {5, "36"},       {10, "1"},     {20, "0"},     {0, "VERTEX"}, {5, "37"},
        {10, "1"},       {20, "1"},     {0, "SEQEND"}, {5, "38"},     {0, "LWPOLYLINE"},
        {5, "39"},       {8, "0"},      {90, "2"},     {70, "0"},     {10, "0"},
        {20, "0"},       {10, "2"},     {20, "2"},     {0, "CIRCLE"}, {5, "3A"},
        {8, "0"},        {10, "0"},     {20, "0"},     {40, "1"}};
    const auto loaded = Load(
        File({Header("AC1009"), LayerTable({{"Doors", 6, 0}}), Section("ENTITIES", entities)}));
    ASSERT_TRUE(loaded) << loaded.error();
    const Drawing& d = loaded->drawing;

    const Entity& text = ByHandle(d, "2E");
    EXPECT_EQ(text.type, qx::host::kEntText);
    EXPECT_EQ(text.text.text, "Door 1");
    EXPECT_EQ(text.text.insert.x, 1.5);
    EXPECT_EQ(text.text.insert.y, 2);
    EXPECT_EQ(text.text.size, 2.5);
    EXPECT_DOUBLE_EQ(text.text.angle, std::numbers::pi / 2);
    EXPECT_EQ(text.color, 3);
    EXPECT_EQ(text.layer, LayerNamed(d, "Doors").addr);

    const Entity& attrib = ByHandle(d, "31");
    EXPECT_EQ(attrib.type, qx::host::kEntText);
    EXPECT_EQ(attrib.text.text, "D-01");
    EXPECT_EQ(attrib.color, 7); // by layer: layer 0 has colour 7

    EXPECT_EQ(ByHandle(d, "33").type, kEntLine);
    EXPECT_EQ(ByHandle(d, "33").points[1].y, 4);
    // A closed polyline of three vertices: its outline returns to the start.
    const Entity& polyline = ByHandle(d, "34");
    EXPECT_EQ(polyline.type, qx::host::kEntPolygon);
    EXPECT_EQ(polyline.points.size(), 4u);
    EXPECT_EQ(ByHandle(d, "39").type, kEntLine);
    // Kept in the file, not in the model.
    EXPECT_TRUE(IsNil(d.FindEntityByName("3A")));
    EXPECT_TRUE(IsNil(d.FindEntityByName("30")));
    EXPECT_EQ(d.Entities().size(), 5u);
    EXPECT_EQ(loaded->document->texts.size(), 2u);
}

TEST(DxfReader, GivesAnMTextItsParagraphsAsPieces) {
    const std::string longParagraph = std::string(200, 'a') + " " + std::string(100, 'b');
    const Tags mtext = {{0, "MTEXT"},
                        {5, "40"},
                        {8, "0"},
                        {10, "10"},
                        {20, "20"},
                        {40, "2"},
                        {3, "Back {\\fArial;door}\\Pse"},
                        {1, "cond\\P" + longParagraph}};
    const auto loaded = Load(File({Header("AC1015"), Section("ENTITIES", mtext)}));
    ASSERT_TRUE(loaded) << loaded.error();
    const Entity& e = ByHandle(loaded->drawing, "40");
    EXPECT_EQ(e.type, qx::host::kEntMultiLineText);
    ASSERT_EQ(e.pieces.size(), 4u);
    EXPECT_EQ(e.pieces[0].text, "Back door");
    // The chunks are joined before the content is read, so a word may span them.
    EXPECT_EQ(e.pieces[1].text, "second");
    // A paragraph longer than a piece may be wraps at a blank.
    EXPECT_EQ(e.pieces[2].text, std::string(200, 'a'));
    EXPECT_EQ(e.pieces[3].text, std::string(100, 'b'));
    EXPECT_EQ(e.pieces[0].size, 2);
    EXPECT_EQ(e.pieces[0].insert.x, 10);
    EXPECT_LT(e.pieces[1].insert.y, e.pieces[0].insert.y);
    // The smart text is never rewritten, so it is no editable text.
    EXPECT_TRUE(loaded->document->texts.empty());
}

TEST(DxfReader, LeavesOutTextsTheHostCannotHoldAndSaysWhy) {
    const Tags entities = [] {
        Tags t = Text("50", "0", "\xE6\x97\xA5\xE6\x9C\xAC door");
        const Tags more[] = {
            Text("51", "0", std::string(256, 'x')),
            Text("52", "0",
                 "T\xC3\xBC"
                 "r"),
            {{0, "ATTRIB"},
             {5, "53"},
             {8, "0"},
             {1, "multi"},
             {2, "TAG"},
             {101, "Embedded Object"},
             {1, "multi"}},
            {{0, "MTEXT"}, {5, "54"}, {8, "0"}, {1, "\\U+65E5 door"}},
        };
        for (const Tags& m : more)
            t.insert(t.end(), m.begin(), m.end());
        return t;
    }();
    const auto loaded = Load(File({Header("AC1032"), Section("ENTITIES", entities)}));
    ASSERT_TRUE(loaded) << loaded.error();
    const Drawing& d = loaded->drawing;
    EXPECT_EQ(d.Entities().size(), 1u);
    EXPECT_EQ(ByHandle(d, "52").text.text, "T\xFCr");
    EXPECT_THAT(loaded->notes,
                ElementsAre("plan.dxf: 4 texts are kept as they are and not offered to the "
                            "macro: 2 with characters that Windows-1252 cannot hold, 1 longer than "
                            "255 characters, 1 multi-line attribute"));
}

TEST(DxfReader, DecodesTheCodePageOfOlderFiles) {
    const Tags entities = [] {
        Tags t = Text("60", "0", "\xC4\xE2\xE5\xF0\xFC");
        const Tags more = Text("61", "0", "Door \\U+00E4");
        t.insert(t.end(), more.begin(), more.end());
        return t;
    }();
    const auto loaded = Load(File({Header("AC1015", "ANSI_1251"), Section("ENTITIES", entities)}));
    ASSERT_TRUE(loaded) << loaded.error();
    EXPECT_EQ(ByHandle(loaded->drawing, "61").text.text, "Door \xE4");
    EXPECT_TRUE(IsNil(loaded->drawing.FindEntityByName("60")));
    EXPECT_EQ(loaded->document->codec.Name(), "ANSI_1251");
    ASSERT_EQ(loaded->notes.size(), 1u);
}

TEST(DxfReader, ReadsAFileWithoutHeaderAsR12) {
    const auto loaded = Load(File({Section("ENTITIES", Text("1", "A", "x"))}));
    ASSERT_TRUE(loaded) << loaded.error();
    EXPECT_EQ(loaded->document->version, "AC1009");
    EXPECT_EQ(ByHandle(loaded->drawing, "1").text.text, "x");
}

TEST(DxfReader, ASecondEntityWithATakenHandleStaysWithoutName) {
    Tags t = Text("7", "0", "first");
    const Tags again = Text("7", "0", "second");
    t.insert(t.end(), again.begin(), again.end());
    const auto loaded = Load(File({Section("ENTITIES", t)}));
    ASSERT_TRUE(loaded) << loaded.error();
    EXPECT_EQ(loaded->drawing.Entities().size(), 2u);
    EXPECT_EQ(ByHandle(loaded->drawing, "7").text.text, "first");
}

// Plain decimals take a short path; every form a coordinate may be written in must read to the
// same double as the full parse gives, including the forms the short path hands on.
TEST(DxfReader, ReadsEveryFormOfNumberExactly) {
    struct Case {
        const char* x;
        const char* y;
        point expected;
    };
    const Case cases[] = {
        {"1250.375", "-999999999999.999", {1250.375, -999999999999.999, 0}},
        {"-0.0", "1.", {-0.0, 1.0, 0}},
        {".5", "-.5", {0.5, -0.5, 0}},
        {" 00012.3400 ", "0.1", {12.34, 0.1, 0}},
        {"9007199254740993",
         "12345678901234567890.5",
         {9007199254740992.0, 12345678901234567890.5, 0}},
        {"1e5", "2.5E-3", {100000.0, 0.0025, 0}},
        {"0.00000000000000000000001", "123456789012345678", {1e-23, 123456789012345678.0, 0}},
    };
    for (const Case& c : cases) {
        const Tags line = {{0, "LINE"}, {5, "9"},  {8, "0"}, {10, c.x},
                           {20, c.y},   {11, "0"}, {21, "0"}};
        const auto loaded = Load(File({Section("ENTITIES", line)}));
        ASSERT_TRUE(loaded) << c.x << " " << c.y << ": " << loaded.error();
        const point from = ByHandle(loaded->drawing, "9").points.at(0);
        EXPECT_EQ(from.x, c.expected.x) << c.x;
        EXPECT_EQ(std::signbit(from.x), std::signbit(c.expected.x)) << c.x;
        EXPECT_EQ(from.y, c.expected.y) << c.y;
    }
}

TEST(DxfReader, NotesTheWriterStyleOfTheFile) {
    const auto loaded = Load(File({Section("ENTITIES", Text("1", "A", "x"))}), "\r\n");
    ASSERT_TRUE(loaded) << loaded.error();
    EXPECT_EQ(loaded->document->lineEnd, "\r\n");
    EXPECT_TRUE(loaded->document->paddedCodes);
}

struct BadFile {
    const char* name;
    std::string bytes;
    std::string message;
};

class DxfReaderBad : public ::testing::TestWithParam<BadFile> {};

TEST_P(DxfReaderBad, GivesNoDrawingAndAMessageWithFileAndLine) {
    const auto loaded = ReadDxf(GetParam().bytes, "plan.dxf");
    EXPECT_FALSE(loaded);
    EXPECT_THAT(loaded.error(), HasSubstr(GetParam().message));
}

const std::string kGood = Write(File({Header("AC1015"), Section("ENTITIES", Text("1", "0", "x"))}));

INSTANTIATE_TEST_SUITE_P(
    Faults, DxfReaderBad,
    ::testing::Values(
        BadFile{"Truncated", kGood.substr(0, kGood.find("  0\nENDSEC", kGood.find("ENTITIES"))),
                "plan.dxf: line 32: the file ends inside the ENTITIES section that begins at "
                "line 11; ENDSEC is missing"},
        BadFile{"OddNumberOfLines", kGood.substr(0, kGood.find("ENDSEC", kGood.find("ENTITIES"))),
                "plan.dxf: line 33: the group code 0 has no value: the file ends after it"},
        BadFile{"GroupCodeNotANumber", "  0\nSECTION\n  2\nENTITIES\nzero\nTEXT\n",
                "plan.dxf: line 5: the group code \"zero\" is not a number"},
        BadFile{"MissingEndsec",
                Write(File({Section("HEADER", {{9, "$ACADVER"}, {1, "AC1015"}}),
                            {{0, "SECTION"}, {2, "ENTITIES"}},
                            Section("OBJECTS", {})})),
                "plan.dxf: line 15: the ENTITIES section that begins at line 11 has no ENDSEC "
                "before this SECTION"},
        BadFile{"MissingEof", kGood.substr(0, kGood.rfind("  0\nEOF")),
                "plan.dxf: line 34: the file ends without EOF"},
        BadFile{"OversizedValue", "  0\nSECTION\n  2\nENTITIES\n  1\n" + std::string(70000, 'x'),
                "plan.dxf: line 6: the value is 70000 bytes long"},
        BadFile{"UnknownCodePage", Write(File({Header("AC1015", "ANSI_4711")})),
                "plan.dxf: line 12: the code page \"ANSI_4711\" ($DWGCODEPAGE) is not known"},
        BadFile{"UnsupportedVersion", Write(File({Header("AC1006")})),
                "plan.dxf: line 8: DXF version AC1006 is not supported"},
        BadFile{"BadNumber",
                Write(File({Section("ENTITIES", {{0, "TEXT"}, {8, "0"}, {40, "big"}, {1, "x"}})})),
                "plan.dxf: line 10: \"big\" is not a number (group code 40)"},
        BadFile{
            "TwoDecimalPoints",
            Write(File({Section("ENTITIES", {{0, "TEXT"}, {8, "0"}, {40, "1.2.3"}, {1, "x"}})})),
            "plan.dxf: line 10: \"1.2.3\" is not a number (group code 40)"},
        BadFile{"PlusSign",
                Write(File({Section("ENTITIES", {{0, "TEXT"}, {8, "0"}, {40, "+1"}, {1, "x"}})})),
                "plan.dxf: line 10: \"+1\" is not a number (group code 40)"},
        BadFile{"NotASection", Write({{0, "TEXT"}, {0, "EOF"}}),
                "plan.dxf: line 1: expected a section (0 SECTION) or the end (0 EOF)"},
        BadFile{"Empty", "", "plan.dxf: line 1: the file ends without EOF"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DxfReader, TellsBinaryDxfAndDwgByTheirFirstBytes) {
    EXPECT_TRUE(LooksLikeBinaryDxf(std::string("AutoCAD Binary DXF\r\n\x1a\0", 22)));
    EXPECT_FALSE(LooksLikeBinaryDxf("  0\nSECTION\n"));
    EXPECT_TRUE(LooksLikeDwg("AC1032\0\0\0"));
    EXPECT_TRUE(LooksLikeDwg("AC1015"));
    EXPECT_FALSE(LooksLikeDwg("AC1\n"));
    EXPECT_FALSE(LooksLikeDwg("  0\nSECTION"));
}

} // namespace
} // namespace cadhost::dxf
