// Drawing files: reading, refusing bad input with a clear message, writing and saving safely.
#include "cadhost/formats/json_drawing.h"
#include "cadhost/model/sample_drawing.h"
#include "tests/support/temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace cadhost {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

// The smallest drawing, with a hole where a test puts its own entity.
std::string WithEntity(const std::string& entity) {
    return R"({"layers": [{"name": "Doors", "entities": [{"type": "text", "text": "ok", "at": [0, 0]},
               )" +
           entity + "]}]}";
}

TEST(DrawingFile, ReadsLayersEntitiesSetsAttributesAndView) {
    const auto loaded = ParseDrawing(R"({
      "version": 1,
      "currentLayer": "Notes",
      "layers": [
        {"name": "Doors", "on": true, "locked": true, "colour": 4,
         "entities": [
           {"type": "text", "name": "d1", "text": "Door 101", "at": [1, 2], "size": 2, "colour": 3},
           {"type": "line", "points": [[0, 0], [5, 0, 1]]}]},
        {"name": "Notes", "on": false,
         "entities": [
           {"type": "multiline", "name": "m", "pieces": [{"text": "Back", "at": [0, 1]},
                                                          {"text": "door", "at": [0, 0]}]},
           {"type": "polygon", "weight": 3, "points": [[0, 0], [1, 0], [1, 1]]}]}],
      "selectionSets": [{"set": 2, "name": "Quillset",
                         "members": ["m", {"layer": "Doors", "index": 1}]}],
      "selectionSetMask": 32772,
      "attributes": [{"name": "SearchStr", "text": "door"}, {"name": "ConfirmEach", "integer": 1}],
      "view": {"x": 3, "y": 50, "scale": 0.25, "width": 640, "height": 480}
    })",
                                     "doors.json");
    ASSERT_TRUE(loaded) << loaded.error();
    const Drawing& d = *loaded;
    ASSERT_EQ(d.Layers().size(), 2u);
    EXPECT_TRUE(d.Layers()[0].locked);
    EXPECT_EQ(d.Layers()[0].color, 4);
    EXPECT_FALSE(d.Layers()[1].on);
    EXPECT_EQ(d.CurrentLayer(), d.Layers()[1].addr);

    const Entity* d1 = d.FindEntity(d.FindEntityByName("d1"));
    ASSERT_NE(d1, nullptr);
    EXPECT_EQ(d1->text.text, "Door 101");
    EXPECT_EQ(d1->text.size, 2);
    EXPECT_EQ(d1->color, 3);
    EXPECT_EQ(d1->layer, d.Layers()[0].addr);
    const Entity* m = d.FindEntity(d.FindEntityByName("m"));
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->type, qx::host::kEntMultiLineText);
    ASSERT_EQ(m->pieces.size(), 2u);
    EXPECT_EQ(m->pieces[1].text, "door");

    const auto& members = d.SelectionSets().Members(2);
    ASSERT_EQ(members.size(), 2u);
    EXPECT_EQ(members[0], d.FindEntityByName("m"));
    EXPECT_EQ(d.FindEntity(members[1])->type, kEntLine);
    EXPECT_EQ(d.SelectionSets().Name(2), "Quillset");
    EXPECT_EQ(d.SelectionSets().Name(3), "Set 3");
    EXPECT_EQ(std::int32_t{d.SaveVars().selSetMask}, 0x8004);
    EXPECT_EQ(d.Attributes().Find("SearchStr")->textValue, "door");
    EXPECT_EQ(d.Attributes().Find("ConfirmEach")->intValue, 1);
    EXPECT_EQ(double{d.View().Current().scale}, 0.25);
    EXPECT_EQ(double{d.View().Current().y}, 50);
}

TEST(DrawingFile, TextsAreWindows1252Inside) {
    const auto loaded = ParseDrawing(WithEntity(R"({"type": "text", "name": "e",
                                                    "text": "Café – 5 €", "at": [0, 0]})"),
                                     "x.json");
    ASSERT_TRUE(loaded) << loaded.error();
    EXPECT_EQ(loaded->FindEntity(loaded->FindEntityByName("e"))->text.text, "Caf\xE9 \x96 5 \x80");
}

TEST(DrawingFile, SampleDrawingRoundTrips) {
    const Drawing sample = SampleDrawing();
    const std::string json = DrawingToJson(sample);
    const auto loaded = ParseDrawing(json, "sample");
    ASSERT_TRUE(loaded) << loaded.error();
    EXPECT_EQ(DrawingToJson(*loaded), json);
    // The same entities in the same order, with the same content.
    const auto before = sample.Entities();
    const auto after = loaded->Entities();
    ASSERT_EQ(before.size(), after.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        Entity a = *sample.FindEntity(before[i]);
        Entity b = *loaded->FindEntity(after[i]);
        b.addr = a.addr;
        b.layer = a.layer;
        EXPECT_EQ(a, b) << a.name;
    }
}

TEST(DrawingFile, UnnamedMembersAndErasedEntitiesRoundTrip) {
    Drawing d;
    const lgl_addr l = d.AddLayer("L");
    const lgl_addr gone = d.AddEntity(MakeText("gone", {}), l);
    const lgl_addr kept = d.AddEntity(MakeText("kept", {}), l);
    d.SelectionSets().Add(5, gone);
    d.SelectionSets().Add(5, kept);
    d.Erase(gone);
    const auto loaded = ParseDrawing(DrawingToJson(d), "mem");
    ASSERT_TRUE(loaded) << loaded.error();
    const auto& members = loaded->SelectionSets().Members(5);
    ASSERT_EQ(members.size(), 1u);
    EXPECT_EQ(loaded->FindEntity(members[0])->text.text, "kept");
}

TEST(DrawingFile, FieldsMayComeInAnyOrder) {
    // A person may write a layer's entities before its name, and its other fields after them.
    const auto loaded = ParseDrawing(R"({
      "currentLayer": "Late",
      "layers": [
        {"entities": [{"at": [1, 2], "text": "first", "type": "text"},
                      {"points": [[0, 0], [1, 1]], "type": "line", "name": "l"}],
         "locked": true, "name": "Late", "colour": 5},
        {"name": "Next", "entities": [{"type": "text", "text": "n", "at": [0, 0]}], "on": false}],
      "version": 1,
      "selectionSets": [{"members": [{"index": 0, "layer": "Late"}, "l"], "set": 1}]
    })",
                                     "order.json");
    ASSERT_TRUE(loaded) << loaded.error();
    const Drawing& d = *loaded;
    ASSERT_EQ(d.Layers().size(), 2u);
    EXPECT_EQ(d.Layers()[0].name, "Late");
    EXPECT_TRUE(d.Layers()[0].locked);
    EXPECT_EQ(d.Layers()[0].color, 5);
    EXPECT_FALSE(d.Layers()[1].on);
    EXPECT_EQ(d.CurrentLayer(), d.Layers()[0].addr);
    const auto members = d.SelectionSets().Members(1);
    ASSERT_EQ(members.size(), 2u);
    EXPECT_EQ(d.FindEntity(members[0])->text.text, "first");
    EXPECT_EQ(d.FindEntity(members[0])->layer, d.Layers()[0].addr);
    EXPECT_EQ(members[1], d.FindEntityByName("l"));
    EXPECT_EQ(d.FindEntity(d.EntityOnLayer(d.Layers()[1].addr, 0))->text.text, "n");
}

TEST(DrawingFile, TextsNeedingEscapesRoundTrip) {
    Drawing d;
    const lgl_addr l = d.AddLayer("Lay \"er\" \\ \x80");
    const std::vector<std::string> texts = {"quote \" and backslash \\",
                                            "line\nbreak\ttab\rreturn",
                                            std::string("ctrl \x01\x1f", 7),
                                            "Caf\xE9 \x96 5 \x80",
                                            "",
                                            std::string(255, 'x')};
    for (const std::string& t : texts) {
        d.AddEntity(MakeText(t, {1.5, -2.25, 0.1}, 0.3), l);
    }
    // Entity names are any bytes; what is not UTF-8 is replaced so that the file stays valid.
    d.AddEntity(MakeText("named", {}, 1, "bad \xFF name"), l);
    const std::string json = DrawingToJson(d);
    EXPECT_TRUE(nlohmann::json::accept(json)) << json;
    const auto loaded = ParseDrawing(json, "mem");
    ASSERT_TRUE(loaded) << loaded.error();
    const Drawing& back = *loaded;
    EXPECT_EQ(back.Layers()[0].name, d.Layers()[0].name);
    const auto entities = back.Entities();
    ASSERT_EQ(entities.size(), texts.size() + 1);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const Entity& e = *back.FindEntity(entities[i]);
        EXPECT_EQ(e.text.text, texts[i]);
        EXPECT_EQ(e.text.insert.z, 0.1);
        EXPECT_EQ(e.text.size, 0.3);
    }
    EXPECT_EQ(back.FindEntity(entities.back())->name, "bad \xEF\xBF\xBD name");
}

TEST(DrawingFile, EachEntityIsALineOfItsOwn) {
    const std::string json = DrawingToJson(SampleDrawing());
    std::size_t entityLines = 0;
    std::istringstream lines(json);
    for (std::string line; std::getline(lines, line);) {
        entityLines += line.rfind("{\"type\":", 0) == 0 ? 1 : 0;
    }
    EXPECT_EQ(entityLines, SampleDrawing().Entities().size());
}

TEST(DrawingFile, TheTextInPiecesIsTheWholeText) {
    // Enough entities for several pieces of the streaming writer.
    Drawing d;
    const lgl_addr l = d.AddLayer("L");
    for (int i = 0; i < 5000; ++i) {
        d.AddEntity(MakeText("text number " + std::to_string(i) + std::string(40, 'x'),
                             {i * 0.5, -i * 0.25}),
                    l);
    }
    std::string joined;
    std::size_t pieces = 0;
    WriteDrawingJson(d, [&](std::string_view piece) {
        joined += piece;
        ++pieces;
    });
    EXPECT_GT(pieces, 1u);
    EXPECT_EQ(joined, DrawingToJson(d));
}

TEST(DrawingFile, MembersByPlaceCountOnlyTheEntitiesSaved) {
    Drawing d;
    const lgl_addr l = d.AddLayer("L");
    const lgl_addr gone = d.AddEntity(MakeText("gone", {}), l);
    d.AddEntity(MakeText("b", {}), l);
    const lgl_addr c = d.AddEntity(MakeText("c", {}), l);
    d.SelectionSets().Add(3, c);
    d.Erase(gone);
    const auto loaded = ParseDrawing(DrawingToJson(d), "mem");
    ASSERT_TRUE(loaded) << loaded.error();
    const auto& members = loaded->SelectionSets().Members(3);
    ASSERT_EQ(members.size(), 1u);
    EXPECT_EQ(loaded->FindEntity(members[0])->text.text, "c");
}

TEST(DrawingFile, SampleHoldsWhatTheDemoNeeds) {
    const Drawing d = SampleDrawing();
    int locked = 0;
    int off = 0;
    for (const Layer& l : d.Layers()) {
        locked += l.locked ? 1 : 0;
        off += l.on ? 0 : 1;
    }
    EXPECT_GE(locked, 1);
    EXPECT_GE(off, 1);
    const Entity* longNote = d.FindEntity(d.FindEntityByName("longnote"));
    ASSERT_NE(longNote, nullptr);
    EXPECT_GE(longNote->text.text.size(), 245u);
    EXPECT_LE(longNote->text.text.size(), 255u);
    EXPECT_EQ(d.FindEntity(d.FindEntityByName("backdoor"))->type, qx::host::kEntMultiLineText);
    EXPECT_EQ(d.FindEntity(d.FindEntityByName("paintnote"))->type, qx::host::kEntParagraphText);
}

struct BadInput {
    const char* name;
    std::string json;
    std::string expected; // part of the message
};

// Names the case in test output instead of dumping the struct's bytes.
void PrintTo(const BadInput& input, std::ostream* out) {
    *out << input.name;
}

class RefusedDrawing : public ::testing::TestWithParam<BadInput> {};

TEST_P(RefusedDrawing, GivesAMessageNamingTheFileAndThePlace) {
    const auto loaded = ParseDrawing(GetParam().json, "bad.json");
    EXPECT_FALSE(loaded);
    EXPECT_THAT(loaded.error(), HasSubstr("bad.json: "));
    EXPECT_THAT(loaded.error(), HasSubstr(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Malformed, RefusedDrawing,
    ::testing::Values(
        BadInput{"NotJson", "{\"layers\": [", "not valid JSON"},
        BadInput{"Empty", "", "not valid JSON"},
        BadInput{"InvalidUtf8", "{\"layers\": [{\"name\": \"\xFF\"}]}", "not valid JSON"},
        BadInput{"TopIsAList", "[]", "the drawing: must be an object"},
        BadInput{"NoLayers", "{}", "\"layers\" is missing"},
        BadInput{"ZeroLayers", "{\"layers\": []}", "at least one layer"},
        BadInput{"LayersNotAList", "{\"layers\": 3}", "\"layers\" must be a list"},
        BadInput{"LayerNotObject", "{\"layers\": [\"Doors\"]}", "layer 0: must be an object"},
        BadInput{"LayerNameNumber", "{\"layers\": [{\"name\": 5}]}", "\"name\" must be a text"},
        BadInput{"LayerOnText", "{\"layers\": [{\"name\": \"A\", \"on\": \"yes\"}]}",
                 "layer \"A\": \"on\" must be true or false"},
        BadInput{"DuplicateLayer", "{\"layers\": [{\"name\": \"A\"}, {\"name\": \"A\"}]}",
                 "layer \"A\": an earlier layer has the same name"},
        BadInput{"UnknownField", "{\"layers\": [{\"name\": \"A\", \"lockd\": true}]}",
                 "layer \"A\": unknown field \"lockd\""},
        BadInput{"BadVersion", "{\"version\": 2, \"layers\": [{\"name\": \"A\"}]}",
                 "version 2 is not known"},
        BadInput{"UnknownCurrentLayer",
                 "{\"currentLayer\": \"B\", \"layers\": [{\"name\": \"A\"}]}",
                 "\"currentLayer\" names \"B\""},
        BadInput{"UnknownType", WithEntity(R"({"type": "arc", "name": "x"})"),
                 "entity \"x\": unknown entity type \"arc\""},
        BadInput{"MissingText", WithEntity(R"({"type": "text", "at": [0, 0]})"),
                 "entity 1 on layer \"Doors\": the field \"text\" is missing"},
        BadInput{"TextIsNumber", WithEntity(R"({"type": "text", "text": 12, "at": [0, 0]})"),
                 "\"text\" must be a text"},
        BadInput{"PointTooShort", WithEntity(R"({"type": "text", "text": "a", "at": [0]})"),
                 "\"at\" must be a list of two or three numbers"},
        BadInput{"PointOfTexts", WithEntity(R"({"type": "text", "text": "a", "at": ["0", 1]})"),
                 "\"at\" must be a number"},
        BadInput{"ZeroSize",
                 WithEntity(R"({"type": "text", "text": "a", "at": [0, 0], "size": 0})"),
                 "\"size\" must be greater than 0"},
        BadInput{"ColourNotWhole",
                 WithEntity(R"({"type": "text", "text": "a", "at": [0, 0], "colour": 1e3})"),
                 "\"colour\" must be a whole number"},
        BadInput{"WeightOutOfRange",
                 WithEntity(R"({"type": "line", "weight": 300, "points": [[0,0],[1,1]]})"),
                 "\"weight\" must lie between 0 and 255"},
        BadInput{"HugeInteger", WithEntity(R"({"type": "line", "colour": 18446744073709551615,
                                "points": [[0,0],[1,1]]})"),
                 "\"colour\" is out of range"},
        BadInput{"LineOfThree", WithEntity(R"({"type": "line", "points": [[0,0],[1,1],[2,2]]})"),
                 "\"points\" must hold 2 points"},
        BadInput{"NoPieces", WithEntity(R"({"type": "paragraph", "name": "p", "pieces": []})"),
                 "entity \"p\": \"pieces\" must hold at least one text piece"},
        BadInput{"DuplicateEntityName",
                 WithEntity(R"({"type": "text", "name": "n", "text": "a", "at": [0, 0]},
                               {"type": "text", "name": "n", "text": "b", "at": [0, 0]})"),
                 "entity \"n\": an earlier entity has the same name"},
        BadInput{"EmptyEntityName",
                 WithEntity(R"({"type": "text", "name": "", "text": "a", "at": [0, 0]})"),
                 "an entity's name must not be empty"},
        BadInput{"MemberUnknownName",
                 R"({"layers": [{"name": "A"}], "selectionSets": [{"set": 1, "members": ["x"]}]})",
                 "member 0 of selection set 1: no entity is named \"x\""},
        BadInput{"MemberUnknownLayer",
                 R"({"layers": [{"name": "A"}],
                     "selectionSets": [{"set": 1, "members": [{"layer": "B", "index": 0}]}]})",
                 "no layer is named \"B\""},
        BadInput{"MemberIndexBeyondLayer",
                 R"({"layers": [{"name": "A"}],
                     "selectionSets": [{"set": 1, "members": [{"layer": "A", "index": 0}]}]})",
                 "layer \"A\" has no entity 0"},
        BadInput{"SetOutOfRange", R"({"layers": [{"name": "A"}], "selectionSets": [{"set": 8}]})",
                 "\"set\" must lie between 0 and 7"},
        BadInput{"SetTwice",
                 R"({"layers": [{"name": "A"}], "selectionSets": [{"set": 1}, {"set": 1}]})",
                 "selection set 1: the set is described twice"},
        BadInput{"AttributeNameTooLong",
                 R"({"layers": [{"name": "A"}],
                     "attributes": [{"name": "ABCDEFGHIJKLMN", "integer": 1}]})",
                 "is 14 characters long; at most 13"},
        BadInput{"AttributeBothValues",
                 R"({"layers": [{"name": "A"}],
                     "attributes": [{"name": "K", "integer": 1, "text": "x"}]})",
                 "attribute \"K\": give exactly one of"},
        BadInput{"AttributeTwice",
                 R"({"layers": [{"name": "A"}],
                     "attributes": [{"name": "K", "integer": 1}, {"name": "K", "integer": 2}]})",
                 "attribute \"K\": an earlier attribute has the same name"},
        BadInput{"DuplicateKeyInEntity",
                 WithEntity(R"({"type": "text", "text": "a", "at": [0, 0], "text": "b"})"),
                 "the field \"text\" is given twice in one object"},
        BadInput{"DuplicateKeyAtTop", R"({"layers": [{"name": "A"}], "layers": [{"name": "B"}]})",
                 "the field \"layers\" is given twice in one object"},
        BadInput{"TextIsAnObject",
                 WithEntity(R"({"type": "text", "text": {"a": [1, 2]}, "at": [0, 0]})"),
                 "entity 1 on layer \"Doors\": \"text\" must be a text"},
        BadInput{"PointOfLists", WithEntity(R"({"type": "text", "text": "a", "at": [[0], 1]})"),
                 "\"at\" must be a number"},
        BadInput{"PointIsAnObject",
                 WithEntity(R"({"type": "text", "text": "a", "at": {"x": 1, "y": 2}})"),
                 "\"at\" must be a list of two or three numbers"},
        BadInput{"PointOfFour", WithEntity(R"({"type": "text", "text": "a", "at": [0, 1, 2, 3]})"),
                 "\"at\" must be a list of two or three numbers"},
        BadInput{"EntityIsAList", WithEntity(R"([1, 2])"),
                 "entity 1 on layer \"Doors\": must be an object"},
        BadInput{"EntityIsANumber", WithEntity("7"),
                 "entity 1 on layer \"Doors\": must be an object"},
        BadInput{"PointsHoldAnObject",
                 WithEntity(R"({"type": "line", "points": [[0, 0], {"x": 1}]})"),
                 "\"points\" must be a list of two or three numbers"},
        BadInput{"PointsNotAList", WithEntity(R"({"type": "line", "points": 4})"),
                 "\"points\" must be a list"},
        BadInput{"PieceWithEntityField", WithEntity(R"({"type": "paragraph", "name": "p",
                                "pieces": [{"text": "a", "at": [0, 0], "type": "text"}]})"),
                 "piece 0 of entity \"p\": unknown field \"type\""},
        BadInput{"PieceNotAnObject",
                 WithEntity(R"({"type": "paragraph", "name": "p", "pieces": ["a"]})"),
                 "piece 0 of entity \"p\": must be an object"},
        BadInput{"PiecesNotAList",
                 WithEntity(R"({"type": "paragraph", "name": "p", "pieces": {}})"),
                 "entity \"p\": \"pieces\" must be a list"},
        BadInput{"DuplicateKeyInPiece", WithEntity(R"({"type": "multiline", "name": "p",
                                "pieces": [{"text": "a", "at": [0, 0], "text": "b"}]})"),
                 "piece 0 of entity \"p\": the field \"text\" is given twice"},
        BadInput{"FieldOfAnotherType", WithEntity(R"({"type": "text", "text": "a", "at": [0, 0],
                                "points": [[0, 0], [1, 1]]})"),
                 "unknown field \"points\""},
        BadInput{"UnknownFieldHoldingNesting",
                 WithEntity(R"({"type": "text", "text": "a", "at": [0, 0],
                                "zz": {"deep": [[{}], {"x": [1]}]}})"),
                 "unknown field \"zz\""},
        BadInput{"NameAfterTheFault",
                 WithEntity(R"({"type": "line", "points": [], "name": "late"})"),
                 "entity \"late\": \"points\" must hold 2 points"},
        BadInput{"LayerIsAList", "{\"layers\": [[1]]}", "layer 0: must be an object"},
        BadInput{"EntitiesNotAList", "{\"layers\": [{\"name\": \"A\", \"entities\": {}}]}",
                 "layer \"A\": \"entities\" must be a list"},
        BadInput{"LayerFieldAfterEntities",
                 "{\"layers\": [{\"name\": \"A\", \"entities\": [], \"on\": \"yes\"}]}",
                 "layer \"A\": \"on\" must be true or false"},
        BadInput{"EntityBeforeTheLayerName",
                 R"({"layers": [{"entities": [{"type": "text", "at": [0, 0]}], "name": "Late"}]})",
                 "entity 0 on layer \"Late\": the field \"text\" is missing"},
        BadInput{"EntitiesOfALayerWithoutName",
                 R"({"layers": [{"entities": [{"type": "text", "text": "a", "at": [0, 0]}]}]})",
                 "layer 0: the field \"name\" is missing"},
        BadInput{"DuplicateKeyInLayer", R"({"layers": [{"name": "A", "name": "B"}]})",
                 "the field \"name\" is given twice in one object"},
        BadInput{"TopIsANumber", "3", "the drawing: must be an object"},
        BadInput{"TrailingText", R"({"layers": [{"name": "A"}]} x)", "not valid JSON"},
        BadInput{"ViewScaleNegative",
                 R"({"layers": [{"name": "A"}], "view": {"x": 0, "y": 0, "scale": -1}})",
                 "the view: \"scale\" must be greater than 0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DrawingFile, RefusesUnencodableTextNamingTheEntity) {
    const auto named = ParseDrawing(
        WithEntity(R"({"type": "text", "name": "tag7", "text": "日本", "at": [0, 0]})"), "u.json");
    EXPECT_FALSE(named);
    EXPECT_THAT(named.error(), HasSubstr("u.json: entity \"tag7\": \"text\" \"日本\""));
    EXPECT_THAT(named.error(), HasSubstr("Windows-1252"));

    const auto unnamed =
        ParseDrawing(WithEntity(R"({"type": "text", "text": "Ω", "at": [0, 0]})"), "u.json");
    EXPECT_FALSE(unnamed);
    EXPECT_THAT(unnamed.error(), HasSubstr("entity 1 on layer \"Doors\""));

    const auto piece = ParseDrawing(WithEntity(R"({"type": "paragraph", "name": "p",
                       "pieces": [{"text": "ok", "at": [0, 0]}, {"text": "→", "at": [0, 1]}]})"),
                                    "u.json");
    EXPECT_FALSE(piece);
    EXPECT_THAT(piece.error(), HasSubstr("piece 1 of entity \"p\""));
}

TEST(DrawingFile, RefusesTextsLongerThan255Characters) {
    const std::string fits(255, 'a');
    EXPECT_TRUE(ParseDrawing(
        WithEntity(R"({"type": "text", "text": ")" + fits + R"(", "at": [0, 0]})"), "l.json"));
    // 255 characters in Windows-1252 may be more bytes in UTF-8: the limit counts characters.
    std::string accented;
    for (int i = 0; i < 255; ++i) {
        accented += "é";
    }
    EXPECT_TRUE(ParseDrawing(
        WithEntity(R"({"type": "text", "text": ")" + accented + R"(", "at": [0, 0]})"), "l.json"));
    const auto tooLong = ParseDrawing(
        WithEntity(R"({"type": "text", "name": "big", "text": ")" + fits + R"(b", "at": [0, 0]})"),
        "l.json");
    EXPECT_FALSE(tooLong);
    EXPECT_THAT(tooLong.error(), HasSubstr("entity \"big\": \"text\" is 256 characters long"));
}

class DrawingFileOnDisk : public ::testing::Test {
protected:
    qx::test::TempDir dir;
    fs::path folder = dir.Path();

    static std::string Read(const fs::path& p) { return qx::test::ReadFile(p); }
    std::size_t FilesIn(const fs::path& p) const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(p), fs::directory_iterator()));
    }
};

TEST_F(DrawingFileOnDisk, SaveThenLoadGivesTheSameDrawing) {
    const fs::path file = folder / "sample.json";
    ASSERT_EQ(SaveDrawingFile(SampleDrawing(), file), "");
    const auto loaded = LoadDrawingFile(file);
    ASSERT_TRUE(loaded) << loaded.error();
    EXPECT_EQ(DrawingToJson(*loaded), DrawingToJson(SampleDrawing()));
    EXPECT_EQ(FilesIn(folder), 1u) << "no temporary file is left behind";
}

TEST_F(DrawingFileOnDisk, SaveReplacesTheOldFile) {
    const fs::path file = folder / "d.json";
    std::ofstream(file) << "old";
    ASSERT_EQ(SaveDrawingFile(SampleDrawing(), file), "");
    EXPECT_EQ(Read(file), DrawingToJson(SampleDrawing()));
}

TEST_F(DrawingFileOnDisk, FailedSaveIntoAReadOnlyFolderKeepsTheOldFile) {
    const fs::path file = folder / "d.json";
    std::ofstream(file) << "old drawing";
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    if (std::ofstream(folder / "probe")) {
        GTEST_SKIP() << "this user may write into read-only folders";
    }
    const std::string error = SaveDrawingFile(SampleDrawing(), file);
    EXPECT_THAT(error, HasSubstr(file.string()));
    EXPECT_THAT(error, HasSubstr("cannot be saved"));
    EXPECT_EQ(Read(file), "old drawing");
}

TEST_F(DrawingFileOnDisk, FailedRenameRemovesTheTemporaryFile) {
    // A folder in the file's place takes the temporary file but refuses the rename.
    const fs::path file = folder / "d.json";
    fs::create_directories(file / "inside");
    const std::string error = SaveDrawingFile(SampleDrawing(), file);
    EXPECT_THAT(error, HasSubstr("cannot be saved"));
    EXPECT_THAT(error, HasSubstr("the old file is unchanged"));
    EXPECT_TRUE(fs::is_directory(file / "inside"));
    EXPECT_EQ(FilesIn(folder), 1u);
}

TEST_F(DrawingFileOnDisk, LoadNamesTheFileThatCannotBeRead) {
    const auto missing = LoadDrawingFile(folder / "none.json");
    EXPECT_FALSE(missing);
    EXPECT_THAT(missing.error(), HasSubstr("none.json: does not exist"));

    const auto dir = LoadDrawingFile(folder);
    EXPECT_FALSE(dir);
    EXPECT_THAT(dir.error(), HasSubstr("is a folder"));

    const fs::path broken = folder / "broken.json";
    std::ofstream(broken) << "{\"layers\": [{\"name\": \"A\", \"on\": 1}]}";
    const auto bad = LoadDrawingFile(broken);
    EXPECT_FALSE(bad);
    EXPECT_THAT(bad.error(), HasSubstr("broken.json: layer \"A\": \"on\" must be true or false"));
}

} // namespace
} // namespace cadhost
