// The exported host functions over the session's drawing, called as the macro calls them.
#include "cadhost/driver/session.h"
#include "cadhost/exports/host_exports.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace cadhost {
namespace {

using qx::host::kEntMultiLineText;
using qx::host::kEntParagraphText;
using qx::host::kEntText;

class DrawingExports : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSession();
        Drawing& d = CurrentSession().drawing;
        open = d.AddLayer("Open");
        locked = d.AddLayer("Locked", false, true);
        d.AddEntity(MakeText("Door 101", {1, 2}, 2, "door"), open);
        d.AddEntity(MakeLine({0, 0}, {3, 4}, "line"), open);
        d.AddEntity(
            MakeSmartText(
                kEntParagraphText,
                {{"first", {0, 2}, 1, 0}, {"second", {0, 1}, 1, 0}, {"third", {0, 0}, 1, 0}},
                "para"),
            locked);
        d.AddEntity(MakeText("Door 9", {5, 5}, 1, "door9"), locked);
    }
    void TearDown() override { ResetSession(); }

    static lgl_addr Named(const char* name) {
        return CurrentSession().drawing.FindEntityByName(name);
    }

    // Walks a mode the way the macro does: read, fetch the next, go on while reads succeed.
    static std::vector<lgl_addr> Walk(ModeRec& mode) {
        std::vector<lgl_addr> seen;
        lgl_addr addr;
        ent_first(&addr, &mode);
        EntityRec ent;
        while (ent_get(&ent, addr, true) && seen.size() < 100) {
            seen.push_back(ent.addr);
            ent_next(&addr, &ent, &mode);
        }
        return seen;
    }

    // A counted text that lives as long as the full expression using it.
    struct Str {
        explicit Str(const char* s) : text(s) {}
        operator const str255*() const { return &text; } // NOLINT: reads like the host's call
        str255 text;
    };

    lgl_addr open, locked;
};

TEST_F(DrawingExports, ScanNarrowedToTextTypesSkipsOtherEntities) {
    ModeRec mode;
    mode_init(&mode);
    mode_enttype(&mode, kEntText);
    mode_enttype(&mode, kEntParagraphText);
    mode_enttype(&mode, kEntMultiLineText);
    mode_enttype(&mode, 999); // not a type: changes nothing
    EXPECT_EQ(Walk(mode), (std::vector<lgl_addr>{Named("door"), Named("para"), Named("door9")}));
    mode_1lyr(&mode, locked);
    EXPECT_EQ(Walk(mode), (std::vector<lgl_addr>{Named("para"), Named("door9")}));
}

TEST_F(DrawingExports, ScanOfAHostSelection) {
    ModeRec mode;
    SetModeSelection(mode, CurrentSession().drawing.CreateSelection(
                               {Named("door9"), Named("line"), Named("door")}));
    mode_enttype(&mode, kEntText);
    EXPECT_EQ(Walk(mode), (std::vector<lgl_addr>{Named("door9"), Named("door")}));
}

TEST_F(DrawingExports, EntGetFillsTheRecordAndFailsOnErasedEntities) {
    EntityRec ent;
    ASSERT_TRUE(ent_get(&ent, Named("door"), true));
    EXPECT_EQ(ent.enttype, kEntText);
    EXPECT_EQ(ent.addr, Named("door"));
    EXPECT_EQ(ent.lyr, open);
    EXPECT_EQ(ent.text.str(), "Door 101");
    EXPECT_EQ(double{ent.size}, 2);

    CurrentSession().drawing.Erase(Named("door"));
    EXPECT_FALSE(ent_get(&ent, Named("door"), true));
    EXPECT_FALSE(ent_get(&ent, lgl_addr{}, true));
    EXPECT_FALSE(ent_get(&ent, open, true)) << "a layer's address is no entity";
}

TEST_F(DrawingExports, ARecordReadAgainHoldsOnlyTheNewEntity) {
    // The macro reads every entity of a scan into the same record: what one entity filled must
    // not show through in the next.
    Drawing& d = CurrentSession().drawing;
    const lgl_addr box = d.AddEntity(MakePolygon({{0, 0, 0}, {4, 0, 0}, {4, 3, 0}}), open);
    EntityRec ent;
    ASSERT_TRUE(ent_get(&ent, box, true));
    EXPECT_EQ(std::int32_t{ent.npts}, 3);
    ASSERT_TRUE(ent_get(&ent, Named("door"), true));
    EXPECT_EQ(std::int32_t{ent.npts}, 0);
    EXPECT_EQ(ent.text.str(), "Door 101");
    ASSERT_TRUE(ent_get(&ent, box, true));
    EXPECT_EQ(ent.enttype, qx::host::kEntPolygon);
    EXPECT_TRUE(ent.text.empty());
    EXPECT_EQ(double{ent.size}, 0);
    EXPECT_EQ(double{ent.pts[2].y}, 3);
}

TEST_F(DrawingExports, EntUpdatesWritesTheTextBack) {
    EntityRec ent;
    ASSERT_TRUE(ent_get(&ent, Named("door"), true));
    ent.text.assign("Gate 101");
    ent_updates(&ent);
    EntityRec again;
    ASSERT_TRUE(ent_get(&again, Named("door"), true));
    EXPECT_EQ(again.text.str(), "Gate 101");
}

TEST_F(DrawingExports, SmartPiecesComeInOrderAsPlainTexts) {
    struct Seen {
        std::vector<std::string> texts;
        std::vector<int> types;
    } seen;
    EntityRec ent;
    ASSERT_TRUE(ent_get(&ent, Named("para"), true));
    int work2 = 0;
    SmartEntity2RegularEntities(
        &ent, &seen, &work2,
        [](EntityRec* piece, void* a, void*) {
            auto* s = static_cast<Seen*>(a);
            s->texts.push_back(piece->text.str());
            s->types.push_back(piece->enttype);
        },
        1, 1);
    EXPECT_EQ(seen.texts, (std::vector<std::string>{"first", "second", "third"}));
    EXPECT_EQ(seen.types, (std::vector<int>(3, kEntText)));

    // A plain text has no pieces.
    ASSERT_TRUE(ent_get(&ent, Named("door"), true));
    seen = {};
    SmartEntity2RegularEntities(
        &ent, &seen, nullptr,
        [](EntityRec*, void* a, void*) { static_cast<Seen*>(a)->texts.push_back("?"); }, 1, 1);
    EXPECT_TRUE(seen.texts.empty());
}

TEST_F(DrawingExports, LayersChainAndLockWord) {
    lgl_addr addr;
    lyr_first(&addr);
    EXPECT_EQ(addr, open);
    lyr_next(&addr, addr);
    EXPECT_EQ(addr, locked);
    lyr_next(&addr, addr);
    EXPECT_TRUE(isnil(addr));

    LayerRec rec;
    ASSERT_TRUE(lyr_get(open, &rec));
    std::int32_t word = 0;
    std::memcpy(&word, reinterpret_cast<const char*>(&rec) + 199, sizeof word);
    EXPECT_EQ(word, -1);
    ASSERT_TRUE(lyr_get(locked, &rec));
    std::memcpy(&word, reinterpret_cast<const char*>(&rec) + 199, sizeof word);
    EXPECT_NE(word, -1);
    EXPECT_FALSE(lyr_get(lgl_addr{}, &rec));

    EXPECT_TRUE(lyr_islocked(locked));
    EXPECT_FALSE(lyr_ison(locked));
    EXPECT_TRUE(lyr_ison(open));
    str255 name;
    getlyrname(locked, &name, 3);
    EXPECT_EQ(name.str(), "Loc");
    getlyrcurr(&addr);
    EXPECT_EQ(addr, open);
}

TEST_F(DrawingExports, SelectionSetsAndTheMaskAtItsOffset) {
    str255 name;
    ssGetName(2, &name, 255);
    EXPECT_EQ(name.str(), "Set 2");
    ssSetName(2, Str("Quillset"));
    ssGetName(2, &name, 255);
    EXPECT_EQ(name.str(), "Quillset");

    EntityRec ent;
    ASSERT_TRUE(ent_get(&ent, Named("para"), true));
    ssAdd(2, &ent);
    ssAdd(2, &ent);
    ssAdd(8, &ent);  // ignored
    ssAdd(-1, &ent); // ignored
    EXPECT_EQ(CurrentSession().drawing.SelectionSets().Members(2),
              (std::vector<lgl_addr>{Named("para")}));
    ssClear(2);
    EXPECT_TRUE(CurrentSession().drawing.SelectionSets().Members(2).empty());
    ssGetName(9, &name, 255);
    EXPECT_TRUE(name.empty());

    SaveVarRec* vars = PGSavevar();
    ASSERT_NE(vars, nullptr);
    auto* bytes = reinterpret_cast<unsigned char*>(vars);
    const std::int32_t mask = 0x8004;
    std::memcpy(bytes + 1274, &mask, sizeof mask);
    EXPECT_EQ(std::int32_t{CurrentSession().drawing.SaveVars().selSetMask}, 0x8004);

    CurrentSession().drawing.SaveVars().layerDialog = 1;
    EXPECT_EQ(bytes[108], 1);
    EXPECT_EQ(PGSavevar(), vars) << "every call gives the same record";
}

TEST_F(DrawingExports, AttributesFoundAfterAddAndUpdated) {
    AttribRec atr;
    EXPECT_FALSE(atr_sysfind(Str("SearchStr"), &atr));
    atr_init(&atr, qx::host::kAtrText);
    atr.nameLen = 9;
    std::memcpy(atr.name, "SearchStr", 9);
    atr.value.strValue.assign("door");
    atr_add2sys(&atr);

    AttribRec found;
    ASSERT_TRUE(atr_sysfind(Str("SearchStr"), &found));
    EXPECT_EQ(std::int32_t{found.atrtype}, qx::host::kAtrText);
    EXPECT_EQ(found.value.strValue.str(), "door");
    found.value.strValue.assign("gate");
    atr_update(&found);
    ASSERT_TRUE(atr_sysfind(Str("SearchStr"), &found));
    EXPECT_EQ(found.value.strValue.str(), "gate");

    atr_init(&atr, qx::host::kAtrInteger);
    atr.nameLen = 4;
    std::memcpy(atr.name, "Incr", 4);
    atr.value.intValue = -3;
    atr_add2sys(&atr);
    ASSERT_TRUE(atr_sysfind(Str("Incr"), &found));
    EXPECT_EQ(std::int32_t{found.value.intValue}, -3);
    EXPECT_FALSE(atr_sysfind(Str("incr"), &found));
}

TEST_F(DrawingExports, AttributeChangesAreNotUndone) {
    UndoStartTransaction();
    AttribRec atr;
    atr_init(&atr, qx::host::kAtrInteger);
    atr.nameLen = 1;
    atr.name[0] = 'K';
    atr_add2sys(&atr);
    EntityRec ent;
    ASSERT_TRUE(ent_get(&ent, Named("door"), true));
    ent.text.assign("changed");
    ent_updates(&ent);
    UndoEndTransaction();
    ASSERT_TRUE(CurrentSession().drawing.Undo());
    EXPECT_TRUE(atr_sysfind(Str("K"), &atr));
    ASSERT_TRUE(ent_get(&ent, Named("door"), true));
    EXPECT_EQ(ent.text.str(), "Door 101");
}

TEST_F(DrawingExports, ExtentOfTextPolygonAndSmartText) {
    EntityRec ent;
    point lo, hi;
    ASSERT_TRUE(ent_get(&ent, Named("door"), true));
    ent_extent(&ent, &lo, &hi);
    EXPECT_DOUBLE_EQ(double{lo.x}, 1);
    EXPECT_DOUBLE_EQ(double{lo.y}, 2);
    EXPECT_DOUBLE_EQ(double{hi.x}, 1 + 8 * 0.8 * 2);
    EXPECT_DOUBLE_EQ(double{hi.y}, 4);

    ASSERT_TRUE(ent_get(&ent, Named("para"), true));
    ent_extent(&ent, &lo, &hi);
    EXPECT_DOUBLE_EQ(double{lo.y}, 0);
    EXPECT_DOUBLE_EQ(double{hi.y}, 3);
    EXPECT_DOUBLE_EQ(double{hi.x}, 6 * 0.8);

    ent_init(&ent, qx::host::kEntPolygon);
    EXPECT_EQ(ent.enttype, qx::host::kEntPolygon);
    ent.npts = 1;
    setpoint(&ent.pts[0], 7.5);
    ent_extent(&ent, &lo, &hi);
    EXPECT_DOUBLE_EQ(double{lo.x}, 7.5);
    EXPECT_DOUBLE_EQ(double{hi.x}, 7.5);
    EXPECT_DOUBLE_EQ(double{hi.z}, 7.5);
}

TEST_F(DrawingExports, DrawingRecordsTheDisplayByteOfTheTime) {
    EntityRec box;
    ent_init(&box, qx::host::kEntPolygon);
    box.npts = 4;
    PGSavevar()->hiliteDisplay = 1;
    ent_draw_dl(&box, 1, 0);
    PGSavevar()->hiliteDisplay = 0;
    EntityRec ent;
    ASSERT_TRUE(ent_get(&ent, Named("door"), true));
    ent_draw_dl(&ent, 1, 1);
    const auto& items = CurrentSession().drawing.Display().Items();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].type, qx::host::kEntPolygon);
    EXPECT_EQ(items[0].points.size(), 4u);
    EXPECT_EQ(items[0].hiliteDisplay, 1);
    EXPECT_EQ(items[0].a, 1);
    EXPECT_EQ(items[0].b, 0);
    EXPECT_EQ(items[1].addr, Named("door"));
    EXPECT_EQ(items[1].hiliteDisplay, 0);
}

TEST_F(DrawingExports, ViewsMoveAndAreRecorded) {
    ViewRec current;
    view_getcurr(&current);
    EXPECT_DOUBLE_EQ(pixsize(), double{current.scale});
    current.value620 = 11;

    ViewRec fresh;
    view_init(&fresh);
    const point centre{10, 20, 0};
    view_calcorth(&fresh, &centre, 42);
    EXPECT_EQ(std::int32_t{fresh.value628}, 42);
    EXPECT_DOUBLE_EQ(fresh.x + fresh.scale * fresh.widthPx / 2, 10);
    EXPECT_DOUBLE_EQ(fresh.y - fresh.scale * fresh.heightPx / 2, 20);

    fresh.x = 3;
    fresh.y = 4;
    view_setmode(0, 1);
    view_setcurr(&fresh, true);
    ViewRec now;
    view_getcurr(&now);
    EXPECT_DOUBLE_EQ(double{now.x}, 3);
    EXPECT_DOUBLE_EQ(double{now.y}, 4);
    const ViewState& view = CurrentSession().drawing.View();
    ASSERT_EQ(view.Changes().size(), 1u);
    EXPECT_TRUE(view.Changes()[0].redraw);
    ASSERT_EQ(view.ModeCalls().size(), 1u);
    EXPECT_EQ(view.ModeCalls()[0].b, 1);
}

TEST_F(DrawingExports, NullArgumentsAreIgnored) {
    ent_first(nullptr, nullptr);
    lgl_addr addr{9, 9};
    ent_first(&addr, nullptr);
    EXPECT_TRUE(isnil(addr));
    ent_updates(nullptr);
    ent_draw_dl(nullptr, 0, 0);
    SmartEntity2RegularEntities(nullptr, nullptr, nullptr, nullptr, 1, 1);
    EXPECT_FALSE(atr_sysfind(nullptr, nullptr));
    ssSetName(0, nullptr);
    view_setcurr(nullptr, true);
    EXPECT_TRUE(CurrentSession().drawing.Display().Items().empty());
}

} // namespace
} // namespace cadhost
