// Collecting smart-text entities in one of the host's selection sets through the chooser, and
// the confirm-each review handing such an entity over.
#include "controller/selection_set_choice.h"

#include "cadhost/session.h"
#include "dialogs/selset_dialog.h"
#include "drawing/apply_change.h"
#include "platform/platform.h"
#include "settings/settings_store.h"
#include "tests/drawing/dialog_fixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gmock/gmock.h>

#include <functional>

namespace qx::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// What the user does in the chooser; the test sets it before the code under test opens it.
struct ChooserScript {
    std::function<void(TfmSelSet&)> act;
    int opened = 0;
    QString heading;
    int preselected = -1;
    bool appendWasTicked = false;
    bool okWasEnabled = false;
};
ChooserScript* script = nullptr;

std::int32_t RunChooser(void* dialog) {
    auto* form = qobject_cast<TfmSelSet*>(static_cast<QDialog*>(dialog));
    if (form == nullptr || script == nullptr)
        return 0;
    script->opened += 1;
    script->heading = form->Label1->text();
    script->preselected = form->lbSelSets->currentRow();
    script->appendWasTicked = form->chbAppend->isChecked();
    script->okWasEnabled = form->btnOK->isEnabled();
    form->show();
    script->act(*form);
    form->hide();
    return form->result();
}

void ClickRow(TfmSelSet& form, int row) {
    QListWidget& list = *form.lbSelSets;
    const QRect rect = list.visualItemRect(list.item(row));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, rect.center());
}

std::function<void(TfmSelSet&)> Choose(int row, bool append) {
    return [row, append](TfmSelSet& form) {
        ClickRow(form, row);
        form.chbAppend->setChecked(append);
        QTest::mouseClick(form.btnOK, Qt::LeftButton);
    };
}

std::function<void(TfmSelSet&)> Cancel() {
    return [](TfmSelSet& form) {
        ClickRow(form, 1);
        QTest::mouseClick(form.btnCancel, Qt::LeftButton);
    };
}

class SelectionSetTest : public DialogDrawingTest {
protected:
    void SetUp() override {
        DialogDrawingTest::SetUp();
        layer_ = D().AddLayer("Plans");
        script = &script_;
        ASSERT_TRUE(UseDialogs(RunChooser));
    }
    void TearDown() override {
        script = nullptr;
        DialogDrawingTest::TearDown();
    }

    static const std::vector<host::lgl_addr>& Members(int set) {
        return D().SelectionSets().Members(set);
    }
    static std::int32_t Mask() { return D().SaveVars().selSetMask; }
    static void SetMask(std::int32_t mask) { D().SaveVars().selSetMask = mask; }

    host::lgl_addr layer_;
    ChooserScript script_;
};

TEST_F(SelectionSetTest, ChosenSetIsClearedNamedFilledAndMadeActive) {
    const host::lgl_addr earlier = AddSmart(layer_, {"old"});
    D().SelectionSets().Add(2, earlier);
    SetMask(0x8013);
    const host::lgl_addr first = AddSmart(layer_, {"door 1"});
    const host::lgl_addr second = AddSmart(layer_, {"door 2"});
    script_.act = Choose(2, false);

    AddToSelectionSet({second, first});

    EXPECT_EQ(script_.opened, 1);
    EXPECT_EQ(script_.heading, "Matches were found in 2 PText/MText entities.");
    EXPECT_EQ(D().SelectionSets().Name(2), "Quillset");
    EXPECT_THAT(Members(2), ElementsAre(second, first));
    // Only the host's own bit 15 survives beside the chosen set's bit.
    EXPECT_EQ(Mask(), 0x8004);
    EXPECT_EQ(S().lastSelSet, 3);
    EXPECT_EQ(D().SelectionSets().Name(1), "Set 1");
}

TEST_F(SelectionSetTest, SecondChoiceInARunOffersTheSetAgainAndAppends) {
    const host::lgl_addr first = AddSmart(layer_, {"door 1"});
    const host::lgl_addr second = AddSmart(layer_, {"door 2"});
    script_.act = Choose(2, false);
    AddToSelectionSet({first});

    // The user only confirms the preselected set; Append stays ticked.
    script_.act = [](TfmSelSet& form) {
        ClickRow(form, 2);
        QTest::mouseClick(form.btnOK, Qt::LeftButton);
    };
    AddToSelectionSet({second});

    EXPECT_EQ(script_.preselected, 2);
    EXPECT_TRUE(script_.appendWasTicked);
    EXPECT_FALSE(script_.okWasEnabled);
    EXPECT_THAT(Members(2), ElementsAre(first, second));
}

TEST_F(SelectionSetTest, CancelChangesNothing) {
    const host::lgl_addr member = AddSmart(layer_, {"old"});
    D().SelectionSets().Add(1, member);
    SetMask(0x8002);
    S().lastSelSet = 2;
    script_.act = Cancel();

    AddToSelectionSet({AddSmart(layer_, {"door"})});

    EXPECT_EQ(script_.opened, 1);
    EXPECT_THAT(Members(1), ElementsAre(member));
    EXPECT_EQ(D().SelectionSets().Name(1), "Set 1");
    EXPECT_EQ(Mask(), 0x8002);
    EXPECT_EQ(S().lastSelSet, 2);
}

TEST_F(SelectionSetTest, EntitiesThatCannotBeReadAreLeftOut) {
    const host::lgl_addr kept = AddSmart(layer_, {"kept"});
    const host::lgl_addr erased = AddSmart(layer_, {"erased"});
    ASSERT_TRUE(D().Erase(erased));
    script_.act = Choose(5, false);

    AddToSelectionSet({erased, kept});

    EXPECT_THAT(Members(5), ElementsAre(kept));
    EXPECT_EQ(D().SelectionSets().Name(5), "Quillset");
}

TEST_F(SelectionSetTest, OneEntityIsOfferedAlone) {
    const host::lgl_addr smart = AddSmart(layer_, {"door"});
    script_.act = Choose(7, false);

    AddEntityToSelectionSet(smart);

    EXPECT_EQ(script_.heading, "A match was found in a PText/MText entity.");
    EXPECT_THAT(Members(7), ElementsAre(smart));
    EXPECT_EQ(Mask(), 0x80);
}

TEST_F(SelectionSetTest, ChooserReopensWhereItWasLeftInTheMacroFile) {
    const std::string file = settings::MacroIniFile();
    platform::WriteProfileValue(file, "fmSelSet", "Left", "40");
    platform::WriteProfileValue(file, "fmSelSet", "Top", "50");
    QPoint shownAt;
    script_.act = [&shownAt](TfmSelSet& form) {
        shownAt = form.pos();
        form.resize(400, 210);
        QTest::mouseClick(form.btnCancel, Qt::LeftButton);
    };

    AddToSelectionSet({AddSmart(layer_, {"door"})});

    EXPECT_EQ(shownAt, QPoint(40, 50));
    // Saved after a cancel too, in the window's own section of the macro's file.
    EXPECT_EQ(platform::ReadProfileValue(file, "fmSelSet", "Width"), "400");
    EXPECT_EQ(platform::ReadProfileValue(file, "fmSelSet", "Height"), "210");
    EXPECT_EQ(platform::ReadProfileValue(file, "fmSelSet", "Left"), "40");
}

class ConfirmEachSmartEntity : public SelectionSetTest {
protected:
    void Review(host::lgl_addr smart) {
        S().confirmEach = true;
        Pending().push_back(Entry(smart, "gate", PendingChangeFlag::SmartEnt));
        S().curIndex = 0;
    }
};

TEST_F(ConfirmEachSmartEntity, GoesToTheChosenSetAndIsMarkedDone) {
    const host::lgl_addr smart = AddSmart(layer_, {"door"});
    Review(smart);
    script_.act = Choose(3, false);

    EXPECT_EQ(ApplyReviewedChange(), ApplyOutcome::CollectSmartEntity);

    EXPECT_EQ(script_.heading, "This is a Smart Entity (PText or MText)");
    EXPECT_THAT(Members(3), ElementsAre(smart));
    EXPECT_EQ(Pending()[0].Flag, PendingChangeFlag::SmartEntConfirmed);
    EXPECT_THAT(Report(), IsEmpty());
    EXPECT_EQ(S().numEntsChanged, 0);
    const host::lgl_addr read = S().curEnt.addr;
    EXPECT_EQ(read, smart);
}

TEST_F(ConfirmEachSmartEntity, CancelStillMarksItDoneSoItIsNotOfferedAgain) {
    Review(AddSmart(layer_, {"door"}));
    script_.act = Cancel();

    EXPECT_EQ(ApplyReviewedChange(), ApplyOutcome::CollectSmartEntity);

    EXPECT_EQ(script_.opened, 1);
    EXPECT_EQ(Pending()[0].Flag, PendingChangeFlag::SmartEntConfirmed);
    EXPECT_EQ(S().lastSelSet, 0);
}

} // namespace
} // namespace qx::test
