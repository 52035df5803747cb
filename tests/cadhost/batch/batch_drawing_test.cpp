// The drawing side of a batch run: telling which entity the macro shows, what a run changed and
// what it must put back, and the files it reads and writes.
#include "cadhost/batch/drawing_arguments.h"
#include "cadhost/batch/drawing_snapshot.h"
#include "cadhost/batch/highlight_finder.h"
#include "cadhost/formats/drawing_file.h"
#include "cadhost/model/extent.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace cadhost::batch {
namespace {

namespace fs = std::filesystem;
using qx::test::ReadFile;
using qx::test::TempDir;
using qx::test::WriteFile;

// The box the macro draws around an entity: its extent grown by a pixel on every side.
void DrawBoxAround(Drawing& d, lgl_addr entity) {
    const Extent e = EntityExtent(*d.FindEntity(entity));
    const double p = d.View().PixelSize();
    DisplayItem box;
    box.type = qx::host::kEntPolygon;
    box.a = 1;
    box.points = {{e.lower.x - p, e.lower.y - p, 0},
                  {e.lower.x - p, e.upper.y + p, 0},
                  {e.upper.x + p, e.upper.y + p, 0},
                  {e.upper.x + p, e.lower.y - p, 0}};
    d.Display().Append(box);
}

void EraseBox(Drawing& d) {
    DisplayItem erase;
    erase.type = qx::host::kEntPolygon;
    erase.points = {{}, {}, {}, {}};
    d.Display().Append(erase);
}

struct Sample {
    Drawing d;
    lgl_addr layer = d.AddLayer("Tags");
    lgl_addr left = d.AddEntity(MakeText("Door 7", {0, 0}), layer);
    lgl_addr right = d.AddEntity(MakeText("Door 7", {20, 0}), layer);
    lgl_addr twinA = d.AddEntity(MakeText("Door 8", {5, 5}), layer);
    lgl_addr twinB = d.AddEntity(MakeText("Door 8", {5, 5}), layer);
    lgl_addr named = d.AddEntity(MakeText("Room", {9, 9}, 1, "room1"), layer);
};

TEST(HighlightFinder, TheBoxTellsApartTextsThatReadAlike) {
    Sample s;
    HighlightFinder finder;
    DrawBoxAround(s.d, s.right);
    EXPECT_EQ(finder.Find(s.d, *CurrentHighlightBox(s.d), "Door 7"), s.right);
    // The text must agree as well as the place.
    DrawBoxAround(s.d, s.left);
    EXPECT_EQ(finder.Find(s.d, *CurrentHighlightBox(s.d), "Door 8"), std::nullopt);
    EXPECT_EQ(finder.Find(s.d, *CurrentHighlightBox(s.d), "Door 7"), s.left);
}

TEST(HighlightFinder, TwoEntitiesAlikeInTextAndPlaceAreGivenOneAfterTheOther) {
    Sample s;
    HighlightFinder finder;
    DrawBoxAround(s.d, s.twinA);
    EXPECT_EQ(finder.Find(s.d, *CurrentHighlightBox(s.d), "Door 8"), s.twinA);
    DrawBoxAround(s.d, s.twinB);
    EXPECT_EQ(finder.Find(s.d, *CurrentHighlightBox(s.d), "Door 8"), s.twinB);
    EXPECT_EQ(finder.Find(s.d, *CurrentHighlightBox(s.d), "Door 8"), std::nullopt);
}

TEST(HighlightFinder, AnErasedBoxFramesNothing) {
    Sample s;
    EXPECT_EQ(CurrentHighlightBox(s.d), std::nullopt);
    DrawBoxAround(s.d, s.left);
    ASSERT_TRUE(CurrentHighlightBox(s.d).has_value());
    EraseBox(s.d);
    EXPECT_EQ(CurrentHighlightBox(s.d), std::nullopt);
}

TEST(DrawingSnapshot, ChangedTextsAreTheTextsThatDifferInEntityOrder) {
    Sample s;
    const DrawingSnapshot before(s.d);
    s.d.SetText(s.named, "ROOM");
    s.d.SetText(s.left, "Gate 7");
    s.d.SetText(s.right, "Door 7"); // written back unchanged: no change
    const auto rows = before.ChangedTexts(s.d);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].row, (ChangeRow{"#1", "Tags", "Door 7", "Gate 7", RowKind::Changed}));
    EXPECT_EQ(rows[1].row, (ChangeRow{"room1", "Tags", "Room", "ROOM", RowKind::Changed}));
}

TEST(DrawingSnapshot, PutsBackTheMacrosSettingsTheViewAndTheSetsUnlessKept) {
    Sample s;
    s.d.Attributes().Set({"ConfirmEach", qx::host::kAtrInteger, 1, {}});
    const DrawingSnapshot before(s.d);
    s.d.Attributes().Set({"ConfirmEach", qx::host::kAtrInteger, 0, {}});
    s.d.Attributes().Set({"SearchStr", qx::host::kAtrText, 0, "door"});
    ViewRec moved = s.d.View().Current();
    moved.x += 10;
    s.d.View().SetCurrent(moved, true);
    s.d.SelectionSets().SetName(2, "Quillset");
    s.d.SelectionSets().Add(2, s.left);
    s.d.SaveVars().selSetMask = 4;
    EXPECT_TRUE(before.SelectionSetChanged(s.d, 2));
    EXPECT_FALSE(before.SelectionSetChanged(s.d, 3) && s.d.SaveVars().selSetMask == 0);

    Drawing kept = s.d;
    before.PutBack(kept, DrawingSnapshot::SelectionSets::Keep);
    EXPECT_EQ(kept.SelectionSets().Members(2), std::vector<lgl_addr>{s.left});
    EXPECT_EQ(std::int32_t{kept.SaveVars().selSetMask}, 4);

    before.PutBack(s.d, DrawingSnapshot::SelectionSets::PutBack);
    EXPECT_EQ(s.d.Attributes().All().size(), 1u);
    EXPECT_EQ(s.d.Attributes().Find("ConfirmEach")->intValue, 1);
    EXPECT_EQ(double{s.d.View().Current().x}, moved.x - 10);
    EXPECT_TRUE(s.d.SelectionSets().Members(2).empty());
    EXPECT_EQ(s.d.SelectionSets().Name(2), "Set 2");
    EXPECT_EQ(std::int32_t{s.d.SaveVars().selSetMask}, 0);
}

TEST(DrawingSnapshot, ASmartTextReadsAsItsPiecesJoined) {
    const Entity e = MakeSmartText(qx::host::kEntMultiLineText,
                                   {{"All doors", {0, 1}, 1, 0}, {"painted.", {0, 0}, 1, 0}});
    EXPECT_EQ(SmartTextOf(e), "All doors painted.");
}

TEST(BatchDrawingFiles, AReadOnlyFileIsRefusedAndLeftAsItWas) {
    TempDir dir;
    const std::string file = dir.File("a.json");
    WriteFile(file, "old");
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read);
    Sample s;
    const std::string error = SaveDrawingAs(s.d, nullptr, file).error();
    EXPECT_NE(error.find("read-only"), std::string::npos) << error;
    EXPECT_EQ(ReadFile(file), "old");
}

TEST(BatchDrawingFiles, ALinkStaysALinkAndTheFileKeepsItsPermissions) {
    TempDir dir;
    const std::string target = dir.File("target.json");
    const std::string link = dir.File("link.json");
    WriteFile(target, "old");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(target, link);
    Sample s;
    ASSERT_EQ(SaveDrawingAs(s.d, nullptr, link).error(), "");
    EXPECT_TRUE(fs::is_symlink(link));
    const auto saved = OpenDrawingFile(target);
    ASSERT_TRUE(saved) << saved.error();
    EXPECT_EQ(saved->drawing.Entities().size(), 5u);
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(BatchDrawingFiles, AFolderGivesItsDrawingsByNameAndEachFileCountsOnce) {
    TempDir dir;
    for (const char* name : {"b.json", "a.JSON", "notes.txt"})
        WriteFile(dir.File(name), "{}");
    fs::create_directory(dir.Path() / "sub.json");
    const std::string folder = dir.Path().string();
    const ExpandedFiles files =
        ExpandDrawingArguments({dir.File("b.json"), folder, dir.File("missing.json")});
    EXPECT_EQ(files.files, (std::vector<std::string>{dir.File("b.json"), folder + "/a.JSON",
                                                     dir.File("missing.json")}));
    EXPECT_TRUE(files.unlisted.empty());
}

TEST(BatchDrawingFiles, AnEntityIsNamedByItsNameOrItsPlaceInTheFile) {
    Sample s;
    EXPECT_EQ(EntityLabel(s.d, s.named), "room1");
    EXPECT_EQ(EntityLabel(s.d, s.twinB), "#4");
}

} // namespace
} // namespace cadhost::batch
