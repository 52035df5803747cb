// Writing DXF back: only the changed values change, and the host's own state survives a save
// and a load.
#include "cadhost/formats/dxf/reader.h"
#include "cadhost/formats/dxf/writer.h"
#include "tests/cadhost/dxf/dxf_builder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace cadhost::dxf {
namespace {

using test::File;
using test::Header;
using test::Section;
using test::Tags;
using test::Text;
using test::Write;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

struct Loaded {
    Drawing drawing;
    std::shared_ptr<const Document> document;
};

Loaded Load(const std::string& bytes) {
    qx::Result<LoadedDxf> loaded = ReadDxf(bytes, "plan.dxf");
    if (!loaded)
        throw std::runtime_error(loaded.error());
    return Loaded{std::move(loaded->drawing), loaded->document};
}

std::string Save(const Loaded& l, std::vector<std::string>* notes = nullptr) {
    std::vector<std::string> ignored;
    qx::Result<std::string> saved =
        WriteDxf(*l.document, l.drawing, notes != nullptr ? *notes : ignored);
    if (!saved)
        throw std::runtime_error(saved.error());
    return std::move(*saved);
}

void SetText(Loaded& l, const std::string& handle, const std::string& text) {
    ASSERT_TRUE(l.drawing.SetText(l.drawing.FindEntityByName(handle), text));
}

std::size_t Count(const std::string& hay, const std::string& needle) {
    std::size_t n = 0;
    for (auto at = hay.find(needle); at != std::string::npos; at = hay.find(needle, at + 1))
        ++n;
    return n;
}

Tags Texts(std::initializer_list<std::pair<const char*, const char*>> texts) {
    Tags t;
    for (const auto& [handle, text] : texts) {
        const Tags one = Text(handle, "0", text);
        t.insert(t.end(), one.begin(), one.end());
    }
    return t;
}

// An R2000 file as AutoCAD and ezdxf lay it out: a named object dictionary first, a group
// dictionary that it names, and $HANDSEED past every handle.
std::string R2000(const Tags& entities, const Tags& moreObjects = {}) {
    Tags objects = test::ObjectDictionaries();
    objects.insert(objects.end(), moreObjects.begin(), moreObjects.end());
    return Write(File({Header("AC1015", "ANSI_1252", {{9, "$HANDSEED"}, {5, "100"}}),
                       Section("ENTITIES", entities), Section("OBJECTS", objects)}));
}

TEST(DxfWriter, AnUnchangedDrawingSavesByteIdentical) {
    for (const std::string& lineEnd : {std::string("\n"), std::string("\r\n")}) {
        const std::string bytes =
            Write(File({Header("AC1032"),
                        Section("ENTITIES", Texts({{"1", "Door"}, {"2", "T\xC3\xBCr"}}))}),
                  lineEnd) +
            "trailing bytes after EOF\n";
        const Loaded l = Load(bytes);
        EXPECT_EQ(Save(l), bytes);
    }
}

TEST(DxfWriter, WritesOnlyTheChangedPartOfAChangedText) {
    const std::string bytes =
        Write(File({Header("AC1032"),
                    Section("ENTITIES",
                            Texts({{"1", "Door 1"}, {"2", "\\U+00FC door"}, {"3", "Door 3"}}))}),
              "\r\n");
    Loaded l = Load(bytes);
    SetText(l, "1", "Gate 1");
    SetText(l, "2", "\xFC gate");
    const std::string saved = Save(l);
    std::string expected = bytes;
    expected.replace(expected.find("Door 1"), 6, "Gate 1");
    // The escape the file used stays as it was: only "door" was rewritten.
    expected.replace(expected.find("\\U+00FC door"), 12, "\\U+00FC gate");
    EXPECT_EQ(saved, expected);
}

TEST(DxfWriter, WritesInTheCodePageOfTheFileAndEscapesWhatItLacks) {
    const std::string bytes =
        Write(File({Header("AC1015", "ANSI_1251"), Section("ENTITIES", Texts({{"1", "Door"}}))}));
    Loaded l = Load(bytes);
    SetText(l, "1", "T\xFCr");
    EXPECT_THAT(Save(l), HasSubstr("\n  1\nT\\U+00FCr\n"));
}

TEST(DxfWriter, AChangeUndoneIsNoChange) {
    const std::string bytes = R2000(Texts({{"1", "Door"}}));
    Loaded l = Load(bytes);
    SetText(l, "1", "Gate");
    ASSERT_TRUE(l.drawing.Undo());
    EXPECT_EQ(Save(l), bytes);
}

TEST(DxfWriter, AttributesAndSelectionSetsSurviveASaveAndALoad) {
    Loaded l = Load(R2000(Texts({{"1", "Door"}, {"2", "Gate"}})));
    Attribute text;
    text.name = "SearchStr";
    text.type = qx::host::kAtrText;
    text.textValue = "T\xFCr";
    Attribute number;
    number.name = "ConfirmEach";
    number.intValue = 1;
    l.drawing.Attributes().Set(text);
    l.drawing.Attributes().Set(number);
    l.drawing.SelectionSets().SetName(2, "Quillset");
    l.drawing.SelectionSets().Add(2, l.drawing.FindEntityByName("2"));
    l.drawing.SelectionSets().Add(2, l.drawing.FindEntityByName("1"));
    l.drawing.SaveVars().selSetMask = 4;

    const std::string saved = Save(l);
    // New objects take handles from the seed, and the seed moves past them.
    EXPECT_THAT(saved, HasSubstr("$HANDSEED\n  5\n102\n"));
    EXPECT_THAT(saved, HasSubstr("  3\nCADHOST_DRAWING\n350\n100\n"));
    EXPECT_THAT(saved, HasSubstr("  3\nCADHOST_SELSET_2\n350\n101\n"));

    const Loaded again = Load(saved);
    EXPECT_EQ(again.drawing.Attributes().All(), l.drawing.Attributes().All());
    EXPECT_EQ(again.drawing.SelectionSets().Name(2), "Quillset");
    EXPECT_EQ(again.drawing.SelectionSets().Name(3), "Set 3");
    EXPECT_THAT(
        again.drawing.SelectionSets().Members(2),
        ElementsAre(again.drawing.FindEntityByName("2"), again.drawing.FindEntityByName("1")));
    EXPECT_EQ(std::int32_t{again.drawing.SaveVars().selSetMask}, 4);
    // Loaded and saved without a change, the stored state is left as it is.
    EXPECT_EQ(Save(again), saved);
}

TEST(DxfWriter, ASecondSaveReplacesTheStoreInsteadOfAddingOne) {
    Loaded l = Load(R2000(Texts({{"1", "Door"}})));
    Attribute a;
    a.name = "Operation";
    l.drawing.Attributes().Set(a);
    Loaded again = Load(Save(l));
    a.intValue = 3;
    again.drawing.Attributes().Set(a);
    const std::string saved = Save(again);
    EXPECT_EQ(Count(saved, "CADHOST_DRAWING"), 1u);
    EXPECT_EQ(Count(saved, "\nXRECORD\n"), 1u);
    EXPECT_EQ(Load(saved).drawing.Attributes().Find("Operation")->intValue, 3);
}

TEST(DxfWriter, ATextChangeAloneLeavesTheStoreAlone) {
    const std::string bytes = R2000(Texts({{"1", "Door"}}));
    Loaded l = Load(bytes);
    SetText(l, "1", "Gate");
    std::string expected = bytes;
    expected.replace(expected.find("Door"), 4, "Gate");
    EXPECT_EQ(Save(l), expected);
}

TEST(DxfWriter, MakesTheGroupDictionaryWhenTheFileHasNone) {
    const std::string bytes =
        Write(File({Header("AC1018", "", {{9, "$HANDSEED"}, {5, "20"}}),
                    Section("ENTITIES", Texts({{"1", "Door"}})),
                    Section("OBJECTS", {{0, "DICTIONARY"}, {5, "C"}, {100, "AcDbDictionary"}})}));
    Loaded l = Load(bytes);
    l.drawing.SelectionSets().Add(0, l.drawing.FindEntityByName("1"));
    const Loaded again = Load(Save(l));
    EXPECT_THAT(again.drawing.SelectionSets().Members(0),
                ElementsAre(again.drawing.FindEntityByName("1")));
}

TEST(DxfWriter, KeepsMembersTheDrawingDoesNotShowUnlessTheSetWasEmptied) {
    const Tags entities = [] {
        Tags t = Texts({{"1", "Door"}});
        t.insert(t.end(), {{0, "CIRCLE"}, {5, "9"}, {8, "0"}, {10, "0"}, {20, "0"}, {40, "1"}});
        return t;
    }();
    const Tags group = {{0, "GROUP"}, {5, "E"},  {330, "D"}, {100, "AcDbGroup"},
                        {300, "Old"}, {70, "0"}, {71, "1"},  {340, "9"}};
    std::string bytes = R2000(entities, group);
    bytes.replace(bytes.find("281\n1\n  0\nGROUP"), 6, "281\n1\n  3\nCADHOST_SELSET_1\n350\nE\n");
    Loaded l = Load(bytes);
    EXPECT_TRUE(l.drawing.SelectionSets().Members(1).empty());
    EXPECT_EQ(l.drawing.SelectionSets().Name(1), "Old");

    l.drawing.SelectionSets().Add(1, l.drawing.FindEntityByName("1"));
    const std::string kept = Save(l);
    EXPECT_THAT(kept, HasSubstr("340\n1\n340\n9\n"));
    EXPECT_EQ(Count(kept, "\nGROUP\n"), 1u);

    Loaded emptied = Load(kept);
    emptied.drawing.SelectionSets().Clear(1);
    emptied.drawing.SelectionSets().SetName(1, "New");
    const std::string saved = Save(emptied);
    EXPECT_THAT(saved, ::testing::Not(HasSubstr("340\n9\n")));
    EXPECT_THAT(saved, HasSubstr("300\nNew\n"));
}

TEST(DxfWriter, AnR12FileSaysItCannotKeepTheState) {
    const std::string bytes =
        Write(File({Header("AC1009"), Section("ENTITIES", Texts({{"1", "Door"}}))}));
    Loaded l = Load(bytes);
    Attribute a;
    a.name = "Operation";
    l.drawing.Attributes().Set(a);
    std::vector<std::string> notes;
    EXPECT_EQ(Save(l, &notes), bytes);
    EXPECT_THAT(notes, ElementsAre("the drawing attributes and selection sets are not stored, "
                                   "since R12 files have no objects section"));
}

TEST(StreamEdits, GivesTheSameBytesInPiecesOfBoundedSize) {
    const std::string bytes(3 << 20, 'x');
    std::vector<Edit> edits;
    for (std::size_t at = 100; at < bytes.size(); at += 100000)
        edits.push_back(Edit{at, at + 1, "EDIT"});
    std::string joined;
    std::size_t pieces = 0;
    StreamEdits(bytes, edits, [&](std::string_view piece) {
        joined.append(piece);
        ++pieces;
    });
    EXPECT_EQ(joined, ApplyEdits(bytes, edits));
    EXPECT_LE(pieces, 8u);
    EXPECT_NE(joined, bytes);
}

TEST(ApplyEdits, ReplacesInsertsAndRemovesInPositionOrder) {
    EXPECT_EQ(ApplyEdits("abcdef", {{4, 6, "XY"}, {0, 0, ">"}, {2, 3, ""}, {2, 2, "-"}}),
              ">ab-dXY");
}

} // namespace
} // namespace cadhost::dxf
