// The selection-set chooser on its real widgets: its rows from the host's sets, its heading,
// the preselection of the run's last set and when OK may be pressed.
#include "dialogs/selset_dialog.h"

#include "cadhost/driver/session.h"
#include "dialogs/dialog_result.h"
#include "state/state_access.h"
#include "tests/support/cadhost_slots.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace qx {
namespace {

class SelSetDialogTest : public ::testing::Test {
protected:
    SelSetDialogTest() : record_(std::make_unique<QuillexL>()) {
        cadhost::ResetSession();
        test::BindSlotsToCadhost();
        SetStatePointer(record_.get());
    }
    ~SelSetDialogTest() override {
        SetStatePointer(nullptr);
        test::UnbindSlots();
    }

    static cadhost::SelectionSetTable& Sets() {
        return cadhost::CurrentSession().drawing.SelectionSets();
    }
    static void SetMask(std::int32_t mask) {
        cadhost::CurrentSession().drawing.SaveVars().selSetMask = mask;
    }

    static QStringList Rows(const TfmSelSet& form) {
        QStringList rows;
        for (int i = 0; i < form.lbSelSets->count(); ++i)
            rows << form.lbSelSets->item(i)->text();
        return rows;
    }

    static void ClickRow(TfmSelSet& form, int row) {
        QListWidget& list = *form.lbSelSets;
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                          list.visualItemRect(list.item(row)).center());
    }

    static void ShowActive(TfmSelSet& form) {
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }

    QuillexL& S() { return *record_; }

private:
    std::unique_ptr<QuillexL> record_;
};

TEST_F(SelSetDialogTest, RowsAreTheHostsSetsWithTheActiveOnesMarked) {
    Sets().SetName(3, "Doors");
    Sets().SetName(5, "");
    Sets().SetName(6, "");
    Sets().SetName(1, "Caf\xe9");
    SetMask(0x8000 | 0x28 | 0x1);

    TfmSelSet form(2);

    EXPECT_EQ(Rows(form), (QStringList{"$Set 0", QString::fromUtf8("Caf\u00e9"), "Set 2", "$Doors",
                                       "Set 4", "$", "", "Set 7"}));
}

TEST_F(SelSetDialogTest, FreshChooserHasNoChoiceAndOkDisabled) {
    TfmSelSet form(2);

    EXPECT_EQ(form.objectName(), "fmSelSet");
    EXPECT_EQ(form.chosenSet(), -1);
    EXPECT_FALSE(form.chbAppend->isChecked());
    EXPECT_FALSE(form.btnOK->isEnabled());
    EXPECT_TRUE(form.btnOK->isDefault());
}

struct HeadingRow {
    const char* name;
    bool confirmEach;
    bool skipConfirm;
    int count;
    const char* heading;
    const char* title;
};

class SelSetHeading : public SelSetDialogTest, public ::testing::WithParamInterface<HeadingRow> {};

TEST_P(SelSetHeading, SaysWhatTheChooserIsOpenedFor) {
    S().confirmEach = GetParam().confirmEach;
    S().skipConfirm = GetParam().skipConfirm;

    TfmSelSet form(GetParam().count);

    EXPECT_EQ(form.Label1->text(), GetParam().heading);
    EXPECT_EQ(form.windowTitle(), GetParam().title);
}

const char* const kEndOfPassTitle = "Matching PText/MText entities found";

INSTANTIATE_TEST_SUITE_P(
    Cases, SelSetHeading,
    ::testing::Values(HeadingRow{"ReviewAsksEach", true, false, 1,
                                 "This is a Smart Entity (PText or MText)",
                                 "Macro cannot update this entity"},
                      HeadingRow{"AfterYesToAll", true, true, 3,
                                 "Matches were found in 3 PText/MText entities.", kEndOfPassTitle},
                      HeadingRow{"EndOfPassThree", false, false, 3,
                                 "Matches were found in 3 PText/MText entities.", kEndOfPassTitle},
                      HeadingRow{"EndOfPassOne", false, false, 1,
                                 "A match was found in a PText/MText entity.", kEndOfPassTitle}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SelSetDialogTest, LastSetOfTheRunIsPreselectedButMustBeConfirmed) {
    S().lastSelSet = 3;
    TfmSelSet form(1);
    ShowActive(form);

    EXPECT_EQ(form.chosenSet(), 2);
    EXPECT_TRUE(form.chbAppend->isChecked());
    EXPECT_FALSE(form.btnOK->isEnabled());

    ClickRow(form, 2);

    EXPECT_TRUE(form.btnOK->isEnabled());
    EXPECT_EQ(form.chosenSet(), 2);
}

TEST_F(SelSetDialogTest, ChoosingByKeyboardEnablesOk) {
    S().lastSelSet = 2;
    TfmSelSet form(1);
    ShowActive(form);
    form.lbSelSets->setFocus();

    QTest::keyClick(form.lbSelSets, Qt::Key_Down);

    EXPECT_EQ(form.chosenSet(), 2);
    EXPECT_TRUE(form.btnOK->isEnabled());
}

TEST_F(SelSetDialogTest, FocusOnTheListAloneChoosesNothing) {
    TfmSelSet form(1);
    ShowActive(form);

    form.lbSelSets->setFocus();

    EXPECT_EQ(form.chosenSet(), -1);
    EXPECT_FALSE(form.btnOK->isEnabled());
}

TEST_F(SelSetDialogTest, OkAndCancelCloseWithTheirResults) {
    {
        TfmSelSet form(1);
        ShowActive(form);
        ClickRow(form, 6);
        QTest::mouseClick(form.btnOK, Qt::LeftButton);
        EXPECT_EQ(form.result(), kResultOk);
        EXPECT_EQ(form.chosenSet(), 6);
    }
    {
        TfmSelSet form(1);
        ShowActive(form);
        ClickRow(form, 6);
        QTest::mouseClick(form.btnCancel, Qt::LeftButton);
        EXPECT_EQ(form.result(), kResultCancel);
    }
    {
        TfmSelSet form(1);
        ShowActive(form);
        QTest::keyClick(&form, Qt::Key_Escape);
        EXPECT_EQ(form.result(), kResultCancel);
        EXPECT_FALSE(form.isVisible());
    }
}

TEST_F(SelSetDialogTest, TabOrderIsOkListCancelAppend) {
    TfmSelSet form(1);

    const QList<QWidget*> stops{form.btnOK, form.lbSelSets, form.btnCancel, form.chbAppend};
    // The list's own parts (viewport, scroll bars) sit in the chain too; only the controls count.
    const auto nextStop = [&](QWidget* from) {
        QWidget* next = from->nextInFocusChain();
        while (!stops.contains(next) && next != from)
            next = next->nextInFocusChain();
        return next;
    };
    EXPECT_EQ(nextStop(form.btnOK), form.lbSelSets);
    EXPECT_EQ(nextStop(form.lbSelSets), form.btnCancel);
    EXPECT_EQ(nextStop(form.btnCancel), form.chbAppend);
}

} // namespace
} // namespace qx
