// The layer dialog on its real widgets against the stand-in host's drawing: the rows and their
// preselection, the quick choices, the grid's keys and clicks, the row colours and how the
// dialog closes.
#include "dialogs/layers_dialog.h"

#include "cadhost/driver/session.h"
#include "dialogs/dialog_result.h"
#include "dialogs/layer_grid.h"
#include "state/state_access.h"
#include "tests/support/cadhost_slots.h"

#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace qx {
namespace {

class LayersDialogTest : public ::testing::Test {
protected:
    LayersDialogTest() : record_(std::make_unique<QuillexL>()) {
        cadhost::ResetSession();
        test::BindSlotsToCadhost();
        SetStatePointer(record_.get());
        // Rows 0 to 4: on, on and locked, off, on, off and locked.
        plans_ = D().AddLayer("Plans");
        locked_ = D().AddLayer("Locked", true, true);
        off_ = D().AddLayer("Off", false);
        notes_ = D().AddLayer("Notes");
        D().AddLayer("Frozen", false, true);
    }
    ~LayersDialogTest() override {
        SetStatePointer(nullptr);
        test::UnbindSlots();
    }

    static cadhost::Drawing& D() { return cadhost::CurrentSession().drawing; }
    static void SetPreselect(bool on) { D().SaveVars().layerDialog = on ? 1 : 0; }

    // The choice as one character per row: '1' selected, '.' not.
    std::string Chosen() const {
        std::string chosen;
        for (const LyrDtl& row : form.LayerDetails)
            chosen += row.isSelected ? '1' : '.';
        return chosen;
    }
    void Choose(const std::string& pattern) {
        for (std::size_t i = 0; i < form.LayerDetails.size(); ++i)
            form.LayerDetails[i].isSelected = pattern.at(i) == '1';
    }
    int Current() const { return form.sgLayers->currentRowIndex(); }

    void ShowWithFocusOnGrid() {
        form.PopulateLayers();
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        form.sgLayers->setFocus();
    }

    QPoint RowCenter(int row) const {
        return form.sgLayers->visualRect(form.sgLayers->model()->index(row, 0)).center();
    }
    QPoint BelowLastRow() const {
        return {RowCenter(0).x(), form.sgLayers->viewport()->height() - 2};
    }
    void Click(QPoint at, Qt::KeyboardModifiers modifiers = {},
               Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(form.sgLayers->viewport(), button, modifiers, at);
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(form.sgLayers, key, modifiers);
    }

    std::unique_ptr<QuillexL> record_;
    host::lgl_addr plans_;
    host::lgl_addr locked_;
    host::lgl_addr off_;
    host::lgl_addr notes_;
    TfmLayers form;
};

TEST_F(LayersDialogTest, RowsFollowTheHostsLayersInOrder) {
    ASSERT_TRUE(D().SetCurrentLayer(notes_));
    form.PopulateLayers();

    ASSERT_EQ(form.LayerDetails.size(), 5u);
    ASSERT_EQ(form.sgLayers->rowCount(), 5);
    const LyrDtl& notes = form.LayerDetails[3];
    EXPECT_EQ(notes.name, "Notes");
    EXPECT_EQ(notes.layeraddr, notes_);
    EXPECT_TRUE(notes.isactive);
    EXPECT_EQ(form.LayerDetails[1].layeraddr, locked_);
    EXPECT_TRUE(form.LayerDetails[1].islocked);
    EXPECT_TRUE(form.LayerDetails[1].ison);
    EXPECT_FALSE(form.LayerDetails[2].ison);
    EXPECT_FALSE(form.LayerDetails[2].islocked);
    EXPECT_FALSE(form.LayerDetails[0].isactive);
    EXPECT_EQ(Current(), 3) << "the active layer's row is current";
    EXPECT_EQ(form.sgLayers->rowHeight(0), form.lblUsedForHeight->height());
}

TEST_F(LayersDialogTest, WithoutPreselectionOnlyTheActiveLayerStartsSelectedEvenWhenLocked) {
    SetPreselect(false);
    ASSERT_TRUE(D().SetCurrentLayer(locked_));
    form.PopulateLayers();
    EXPECT_EQ(Chosen(), ".1...");
}

TEST_F(LayersDialogTest, PreselectionAddsEveryUnlockedLayerThatIsOn) {
    SetPreselect(true);
    form.PopulateLayers();
    EXPECT_EQ(Chosen(), "1..1.");

    TfmLayers again;
    ASSERT_TRUE(D().SetCurrentLayer(locked_));
    again.PopulateLayers();
    std::string chosen;
    for (const LyrDtl& row : again.LayerDetails)
        chosen += row.isSelected ? '1' : '.';
    EXPECT_EQ(chosen, "11.1.") << "the active layer is chosen although it is locked";
}

TEST_F(LayersDialogTest, QuickChoiceButtonsLeaveLockedLayersOut) {
    ASSERT_TRUE(D().SetCurrentLayer(notes_));
    form.PopulateLayers();

    QTest::mouseClick(form.btnUnlockedLyrs, Qt::LeftButton);
    EXPECT_EQ(Chosen(), "1.11.");
    EXPECT_EQ(Current(), 0);

    form.sgLayers->setCurrentRowIndex(4);
    QTest::mouseClick(form.btnUnlockedOnLyrs, Qt::LeftButton);
    EXPECT_EQ(Chosen(), "1..1.");
    EXPECT_EQ(Current(), 0) << "the first selected row";

    QTest::mouseClick(form.btnClear, Qt::LeftButton);
    EXPECT_EQ(Chosen(), ".....");
    EXPECT_EQ(Current(), 3) << "the active layer's row";

    form.sgLayers->setCurrentRowIndex(0);
    QTest::mouseClick(form.btnActive, Qt::LeftButton);
    EXPECT_EQ(Chosen(), "...1.");
    EXPECT_EQ(Current(), 3);
}

TEST_F(LayersDialogTest, QuickChoiceButtonsAreNoTabStopsAndCarryTheirHints) {
    for (QPushButton* button :
         {form.btnActive, form.btnUnlockedOnLyrs, form.btnUnlockedLyrs, form.btnClear})
        EXPECT_EQ(button->focusPolicy() & Qt::TabFocus, 0) << button->objectName().toStdString();
    EXPECT_EQ(form.btnUnlockedOnLyrs->toolTip(), "All Unlocked Layers that are on");
    EXPECT_EQ(form.btnUnlockedLyrs->toolTip(), "All Unlocked Layers (whether ON or OFF)");
    EXPECT_FALSE(form.btnActive->icon().isNull());
    EXPECT_EQ(form.btnActive->icon().availableSizes().value(0), QSize(16, 16));
}

TEST_F(LayersDialogTest, SpaceTogglesAndASelectedRowBecomesTheOnlyOneWithoutCtrl) {
    ShowWithFocusOnGrid();
    Choose("1..1.");
    form.sgLayers->setCurrentRowIndex(2);

    Key(Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(Chosen(), "1.11.") << "Ctrl keeps the others";
    Key(Qt::Key_Space);
    EXPECT_EQ(Chosen(), "1..1.") << "a selected row is only deselected";
    Key(Qt::Key_Space);
    EXPECT_EQ(Chosen(), "..1..") << "the newly selected row is the only one";
}

TEST_F(LayersDialogTest, UpAndDownMoveOneRowAndCtrlOrShiftActOnTheNewRow) {
    ShowWithFocusOnGrid();
    Choose("...1.");
    form.sgLayers->setCurrentRowIndex(3);

    Key(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(Current(), 2);
    EXPECT_EQ(Chosen(), "..11.");
    Key(Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(Chosen(), ".111.");
    Key(Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Chosen(), "1111.") << "Ctrl toggles even with Shift";
    Key(Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(Current(), 0);
    EXPECT_EQ(Chosen(), "1111.") << "no move on the first row, so no toggle";

    Key(Qt::Key_Down);
    EXPECT_EQ(Current(), 1);
    EXPECT_EQ(Chosen(), "1111.") << "a plain move changes nothing";
    Key(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(Current(), 2);
    EXPECT_EQ(Chosen(), "11.1.");
    form.sgLayers->setCurrentRowIndex(4);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(Current(), 4);
    EXPECT_EQ(Chosen(), "11.1.") << "no move on the last row";
}

TEST_F(LayersDialogTest, LetterKeysAreTheQuickChoicesAndOtherKeysDoNothing) {
    ShowWithFocusOnGrid();
    Key(Qt::Key_A, Qt::ShiftModifier);
    EXPECT_EQ(Chosen(), "1.11.");
    Key(Qt::Key_C);
    EXPECT_EQ(Chosen(), ".....");
    Key(Qt::Key_O);
    EXPECT_EQ(Chosen(), "1..1.");
    Key(Qt::Key_V);
    EXPECT_EQ(Chosen(), "1....");

    form.sgLayers->setCurrentRowIndex(2);
    for (Qt::Key key : {Qt::Key_End, Qt::Key_Home, Qt::Key_PageDown, Qt::Key_Left, Qt::Key_N})
        Key(key);
    EXPECT_EQ(Current(), 2);
    EXPECT_EQ(Chosen(), "1....");
}

TEST_F(LayersDialogTest, EnterAndEscInTheGridCloseTheDialog) {
    ShowWithFocusOnGrid();
    Key(Qt::Key_Return);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), kResultOk);

    ShowWithFocusOnGrid();
    Key(Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), kResultCancel);
}

TEST_F(LayersDialogTest, PlainClickChoosesOnlyTheClickedRow) {
    ShowWithFocusOnGrid();
    Choose("1..1.");
    Click(RowCenter(2));
    EXPECT_EQ(Chosen(), "..1..");
    EXPECT_EQ(Current(), 2);

    Click(BelowLastRow());
    EXPECT_EQ(Chosen(), ".....") << "a click below the rows deselects every layer";
    EXPECT_EQ(Current(), 2);

    Choose("1....");
    Click(RowCenter(4), {}, Qt::RightButton);
    EXPECT_EQ(Chosen(), "1....") << "other buttons do nothing";
}

TEST_F(LayersDialogTest, CtrlClickTogglesAndMovesTheCurrentRowOnlyWithoutShift) {
    ShowWithFocusOnGrid();
    Choose("1....");
    form.sgLayers->setCurrentRowIndex(0);

    Click(RowCenter(3), Qt::ControlModifier);
    EXPECT_EQ(Chosen(), "1..1.");
    EXPECT_EQ(Current(), 3);
    Click(RowCenter(0), Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Chosen(), "...1.");
    EXPECT_EQ(Current(), 3);
    Click(BelowLastRow(), Qt::ControlModifier);
    EXPECT_EQ(Chosen(), "...1.") << "a Ctrl+click on no row touches no layer";
}

TEST_F(LayersDialogTest, ShiftClickChoosesTheRangeFromTheCurrentRow) {
    ShowWithFocusOnGrid();
    Choose("1...1");
    form.sgLayers->setCurrentRowIndex(1);

    Click(RowCenter(3), Qt::ShiftModifier);
    EXPECT_EQ(Chosen(), "..11.") << "the current row was not selected, so it stays out";
    EXPECT_EQ(Current(), 1);

    Choose(".1...");
    form.sgLayers->setCurrentRowIndex(3);
    Click(RowCenter(1), Qt::ShiftModifier);
    EXPECT_EQ(Chosen(), ".11..") << "upwards, the current row left out again";

    Choose("...1.");
    Click(BelowLastRow(), Qt::ShiftModifier);
    EXPECT_EQ(Chosen(), "1111.") << "below the rows the range runs from the first row";
    EXPECT_EQ(Current(), 3);
}

TEST_F(LayersDialogTest, ButtonsCloseWithTheirResultsWhateverIsChosen) {
    form.PopulateLayers();
    Choose(".....");
    form.show();
    QTest::mouseClick(form.btnOK, Qt::LeftButton);
    EXPECT_EQ(form.result(), kResultOk);
    EXPECT_EQ(form.btnOK->text(), "Process Selected Layers Now");

    form.show();
    QTest::mouseClick(form.Button1, Qt::LeftButton);
    EXPECT_EQ(form.result(), kResultFindOnly);

    form.show();
    QTest::mouseClick(form.btnCancel, Qt::LeftButton);
    EXPECT_EQ(form.result(), kResultCancel);
}

TEST_F(LayersDialogTest, OpenedFromTheLayerRunTheGridHasTheFocus) {
    form.PopulateLayers();
    form.startField = -1;
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    EXPECT_EQ(QApplication::focusWidget(), form.sgLayers);
    QTest::keyClick(form.sgLayers, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form.eOldText) << "Tab leaves the grid";
    EXPECT_EQ(form.windowTitle(), "Select Layer(s) to Process");
    EXPECT_EQ(form.objectName(), "fmLayers");
}

TEST_F(LayersDialogTest, GridGrowsWithTheWindowButTheColumnKeepsItsWidth) {
    form.PopulateLayers();
    const int column = form.sgLayers->columnWidth(0);
    const QRect group = form.GroupBox2->geometry();
    form.show();
    form.resize(form.width() + 100, form.height() + 60);
    QApplication::processEvents();
    EXPECT_EQ(form.sgLayers->width(), 310 + 100);
    EXPECT_EQ(form.sgLayers->height(), 203 + 60);
    EXPECT_EQ(form.GroupBox2->y(), group.y() + 60) << "the groups keep to the bottom edge";
    EXPECT_EQ(form.GroupBox2->width(), group.width() + 100);
    EXPECT_EQ(form.sgLayers->columnWidth(0), column);
}

struct LookCase {
    const char* name;
    LyrDtl row;
    QColor text;
};

TEST(LayerRowLookTest, ColoursFollowTheRowStateActiveBeforeLocked) {
    QPalette palette;
    palette.setColor(QPalette::Highlight, QColor(1, 2, 3));
    palette.setColor(QPalette::HighlightedText, QColor(4, 5, 6));
    palette.setColor(QPalette::WindowText, QColor(7, 8, 9));
    auto row = [](bool on, bool locked, bool active, bool selected) {
        LyrDtl r;
        r.ison = on;
        r.islocked = locked;
        r.isactive = active;
        r.isSelected = selected;
        return r;
    };
    const LookCase cases[] = {
        {"selected active locked", row(true, true, true, true), QColor(0, 255, 0)},
        {"selected locked on", row(true, true, false, true), QColor(255, 160, 122)},
        {"selected locked off", row(false, true, false, true), QColor(4, 5, 6)},
        {"selected plain", row(true, false, false, true), QColor(4, 5, 6)},
        {"active locked", row(true, true, true, false), QColor(0, 128, 0)},
        {"locked on", row(true, true, false, false), QColor(255, 0, 0)},
        {"locked off", row(false, true, false, false), QColor(7, 8, 9)},
        {"plain", row(true, false, false, false), QColor(7, 8, 9)},
    };
    for (const LookCase& c : cases) {
        const LayerRowLook look = LookOfLayerRow(c.row, palette, QFont());
        EXPECT_EQ(look.text, c.text) << c.name;
        EXPECT_EQ(look.background, c.row.isSelected ? QColor(1, 2, 3) : QColor(Qt::white))
            << c.name;
    }
}

TEST(LayerRowLookTest, FontIsBoldWhenOnUnderlinedWhenActiveStruckWhenLocked) {
    LyrDtl row;
    row.isactive = true;
    row.islocked = true;
    const QFont font = LookOfLayerRow(row, QPalette(), QFont()).font;
    EXPECT_FALSE(font.bold());
    EXPECT_TRUE(font.underline());
    EXPECT_TRUE(font.strikeOut());
    row = LyrDtl{};
    row.ison = true;
    const QFont plainOn = LookOfLayerRow(row, QPalette(), QFont()).font;
    EXPECT_TRUE(plainOn.bold());
    EXPECT_FALSE(plainOn.underline());
    EXPECT_FALSE(plainOn.strikeOut());
}

TEST_F(LayersDialogTest, RowsArePaintedWithTheirBackground) {
    form.PopulateLayers();
    Choose("1....");
    form.show();
    QApplication::processEvents();
    const QImage image = form.sgLayers->viewport()->grab().toImage();
    const QPalette palette = form.sgLayers->palette();
    // Sampled at the far right of each row, clear of the name.
    const int x = form.sgLayers->viewport()->width() - 3;
    EXPECT_EQ(image.pixelColor(x, RowCenter(0).y()),
              palette.color(QPalette::Active, QPalette::Highlight));
    EXPECT_EQ(image.pixelColor(x, RowCenter(2).y()), QColor(Qt::white));
}

} // namespace
} // namespace qx
