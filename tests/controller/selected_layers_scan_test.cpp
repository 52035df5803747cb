// A whole-layer run end to end: the layer dialog on its real widgets, driven as a user would,
// then the scan of the chosen layers against the stand-in host's drawing.
#include "controller/selected_layers_scan.h"

#include "cadhost/session.h"
#include "dialogs/layer_grid.h"
#include "dialogs/layers_dialog.h"
#include "platform/platform.h"
#include "settings/settings_store.h"
#include "tests/drawing/dialog_fixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gmock/gmock.h>

#include <functional>

namespace qx::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

// What the user does in the layer dialog; the test sets it before the run opens the dialog.
struct LayerScript {
    std::function<void(TfmLayers&)> act;
    int opened = 0;
    std::string preselected;
    QString searchShown;
    bool gridHadFocus = false;
};
LayerScript* script = nullptr;

std::int32_t RunLayerDialog(void* dialog) {
    auto* form = qobject_cast<TfmLayers*>(static_cast<QDialog*>(dialog));
    if (form == nullptr || script == nullptr)
        return 0;
    script->opened += 1;
    for (const LyrDtl& row : form->LayerDetails)
        script->preselected += row.isSelected ? '1' : '.';
    script->searchShown = form->eOldText->text();
    form->show();
    form->activateWindow();
    if (QTest::qWaitForWindowActive(form))
        script->gridHadFocus = QApplication::focusWidget() == form->sgLayers;
    script->act(*form);
    form->hide();
    return form->result();
}

void ClickRow(TfmLayers& form, int row, Qt::KeyboardModifiers modifiers = {}) {
    LayerGrid& grid = *form.sgLayers;
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, modifiers,
                      grid.visualRect(grid.model()->index(row, 0)).center());
}

class SelectedLayersScanTest : public DialogDrawingTest {
protected:
    void SetUp() override {
        DialogDrawingTest::SetUp();
        first_ = D().AddLayer("First");
        second_ = D().AddLayer("Second");
        third_ = D().AddLayer("Third");
        script = &script_;
        ASSERT_TRUE(UseDialogs(RunLayerDialog));
        S().searchStr = host::str255("door");
        S().replaceStr = host::str255("Gate");
        S().numReplacements = 7;
        S().numEntsChanged = 3;
    }
    void TearDown() override {
        script = nullptr;
        DialogDrawingTest::TearDown();
    }

    static std::vector<host::lgl_addr> Found(const PendingList& list) {
        std::vector<host::lgl_addr> found;
        for (const PendingChangeType& entry : list)
            found.push_back(entry.adr);
        return found;
    }

    host::lgl_addr first_;
    host::lgl_addr second_;
    host::lgl_addr third_;
    LayerScript script_;
};

TEST_F(SelectedLayersScanTest, ProcessScansTheChosenLayersInLayerOrder) {
    const host::lgl_addr a = AddText(first_, "Door A");
    AddText(second_, "Door B");
    const host::lgl_addr c = AddText(third_, "door C");
    Pending().push_back(Entry({9, 9}, "stale", PendingChangeFlag::AllOK));
    script_.act = [](TfmLayers& form) {
        ClickRow(form, 2, Qt::ControlModifier);
        QTest::mouseClick(form.btnOK, Qt::LeftButton);
    };

    EXPECT_TRUE(ScanSelectedLayers());

    EXPECT_EQ(script_.opened, 1);
    EXPECT_EQ(script_.preselected, "1..") << "only the active layer";
    EXPECT_EQ(script_.searchShown, "door");
    EXPECT_TRUE(script_.gridHadFocus);
    EXPECT_FALSE(S().findOnly);
    EXPECT_EQ(S().numReplacements, 0);
    EXPECT_EQ(S().numEntsChanged, 0);
    EXPECT_THAT(Found(Pending()), ElementsAre(a, c));
    EXPECT_EQ(Pending()[0].newstr, "Gate A");
    EXPECT_EQ(Pending()[1].Flag, PendingChangeFlag::AllOK);
}

TEST_F(SelectedLayersScanTest, FindOnlyReadsTheDialogBackAndListsMatchesUnchanged) {
    const host::lgl_addr b = AddText(second_, "Window 2");
    AddText(first_, "Door 1");
    script_.act = [](TfmLayers& form) {
        ClickRow(form, 1);
        form.eOldText->setText(QStringLiteral("Window"));
        QTest::mouseClick(form.Button1, Qt::LeftButton);
    };

    EXPECT_TRUE(ScanSelectedLayers());

    EXPECT_TRUE(S().findOnly);
    EXPECT_EQ(S().searchStr.view(), "Window");
    ASSERT_THAT(Found(Pending()), ElementsAre(b));
    EXPECT_EQ(Pending()[0].newstr, "Window 2");
    EXPECT_EQ(Pending()[0].Flag, PendingChangeFlag::FindOnly);
}

TEST_F(SelectedLayersScanTest, CancelLeavesRecordAndListAndKeepsThePlacement) {
    AddText(first_, "Door A");
    Pending().push_back(Entry({9, 9}, "earlier", PendingChangeFlag::AllOK));
    S().findOnly = true;
    script_.act = [](TfmLayers& form) {
        form.eOldText->setText(QStringLiteral("changed"));
        QTest::mouseClick(form.btnCancel, Qt::LeftButton);
    };

    EXPECT_FALSE(ScanSelectedLayers());

    EXPECT_TRUE(S().findOnly);
    EXPECT_EQ(S().searchStr.view(), "door");
    EXPECT_EQ(Pending().size(), 1u);
    EXPECT_THAT(ReadFile(settings::MacroIniFile()), HasSubstr("[fmLayers]"));
}

TEST_F(SelectedLayersScanTest, ProcessWithNoLayerChosenScansNothing) {
    AddText(first_, "Door A");
    Pending().push_back(Entry({9, 9}, "stale", PendingChangeFlag::AllOK));
    script_.act = [](TfmLayers& form) {
        QTest::mouseClick(form.btnClear, Qt::LeftButton);
        QTest::mouseClick(form.btnOK, Qt::LeftButton);
    };

    EXPECT_TRUE(ScanSelectedLayers());
    EXPECT_THAT(Pending(), IsEmpty());
}

} // namespace
} // namespace qx::test
