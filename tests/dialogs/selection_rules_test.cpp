// Using a value picks its option, and the increment field never shows 0.
#include "dialog_fixture.h"
#include "dialogs/replace_form_io.h"
#include "dialogs/whole_number_spin_field.h"
#include "platform/platform.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include <map>

namespace qx::test {
namespace {

class SelectionRulesTest : public DialogTest {
protected:
    SelectionRulesTest() {
        FillReplaceForm(form); // operation 0: "Text:" chosen
        showActive();
    }

    QString chosen() {
        for (const char* name : {"rbText", "rbChangeCase", "rbIncrement"}) {
            if (control<QRadioButton>(name).isChecked())
                return QString::fromLatin1(name);
        }
        return {};
    }
    void choose(const char* name) { control<QRadioButton>(name).setChecked(true); }

    WholeNumberSpinField& increment() { return control<WholeNumberSpinField>("seIncrement"); }
    QLineEdit& incrementEdit() { return *increment().editor(); }
    void replaceIncrement(const QString& text) {
        incrementEdit().selectAll();
        if (text.isEmpty())
            QTest::keyClick(&increment(), Qt::Key_Delete);
        else
            QTest::keyClicks(&increment(), text);
    }
};

TEST_F(SelectionRulesTest, ChangingAValueChoosesItsOption) {
    control<QComboBox>("cbCaseOptions").setCurrentIndex(2);
    EXPECT_EQ(chosen(), "rbChangeCase");
    QTest::keyClicks(&control<QLineEdit>("eNewText"), "x");
    EXPECT_EQ(chosen(), "rbText");
    control<QComboBox>("cbIncOptions").setCurrentIndex(1);
    EXPECT_EQ(chosen(), "rbIncrement");
    choose("rbText");
    QTest::keyClick(&increment(), Qt::Key_Up);
    EXPECT_EQ(chosen(), "rbIncrement");
    EXPECT_EQ(increment().text(), "2");
}

TEST_F(SelectionRulesTest, AClickWithoutAChangeChoosesTheOptionToo) {
    choose("rbIncrement");
    QTest::mouseClick(&control<QLineEdit>("eNewText"), Qt::LeftButton);
    EXPECT_EQ(chosen(), "rbText");

    QTest::mouseClick(&control<QComboBox>("cbCaseOptions"), Qt::LeftButton);
    control<QComboBox>("cbCaseOptions").hidePopup();
    EXPECT_EQ(chosen(), "rbChangeCase");
    EXPECT_EQ(control<QComboBox>("cbCaseOptions").currentIndex(), 0);

    QTest::mouseClick(&control<QComboBox>("cbIncOptions"), Qt::LeftButton);
    control<QComboBox>("cbIncOptions").hidePopup();
    EXPECT_EQ(chosen(), "rbIncrement");

    choose("rbText");
    QTest::mouseClick(&incrementEdit(), Qt::LeftButton);
    EXPECT_EQ(chosen(), "rbIncrement");
    EXPECT_EQ(increment().text(), "1");
}

TEST_F(SelectionRulesTest, AnEmptiedOrSignOnlyFieldTakesTheOppositeSign) {
    increment().setText("5");
    replaceIncrement("");
    EXPECT_EQ(increment().text(), "-1");
    replaceIncrement("-");
    EXPECT_EQ(increment().text(), "1");
    replaceIncrement("+");
    EXPECT_EQ(increment().text(), "-1");
    increment().setText("-3");
    replaceIncrement("0");
    EXPECT_EQ(increment().text(), "1");
    EXPECT_EQ(form.model().PrevIncValue, 1);
}

TEST_F(SelectionRulesTest, SteppingPastZeroSkipsIt) {
    QTest::keyClick(&increment(), Qt::Key_Down);
    EXPECT_EQ(increment().text(), "-1");
    QTest::keyClick(&increment(), Qt::Key_Up);
    EXPECT_EQ(increment().text(), "1");
    EXPECT_EQ(form.model().PrevIncValue, 1);
}

TEST_F(SelectionRulesTest, WhilePopulatingOnlyTheZeroRuleRuns) {
    form.populating = true;
    control<QComboBox>("cbCaseOptions").setCurrentIndex(1);
    control<QLineEdit>("eNewText").setText("abc");
    QTest::mouseClick(&control<QComboBox>("cbIncOptions"), Qt::LeftButton);
    control<QComboBox>("cbIncOptions").hidePopup();
    increment().setText("");
    EXPECT_EQ(chosen(), "rbText");
    EXPECT_EQ(increment().text(), "-1");
    form.populating = false;
}

TEST_F(SelectionRulesTest, TheKeyFilterRefusesLettersWithABeep) {
    static int beeps = 0;
    static const host::UiHooks hooks{nullptr, [] { ++beeps; }, nullptr, nullptr, nullptr};
    platform::SetUiHooks(&hooks);
    beeps = 0;
    replaceIncrement("12");
    QTest::keyClicks(&increment(), "a ");
    EXPECT_EQ(beeps, 2);
    EXPECT_EQ(increment().text(), "12");
    QTest::keyClicks(&increment(), "-+" + QLocale().decimalPoint());
    QTest::keyClick(&increment(), Qt::Key_Backspace);
    EXPECT_EQ(beeps, 2);
    platform::SetUiHooks(nullptr);
}

TEST_F(SelectionRulesTest, KeysHeldWithCtrlOrAltAreCommandsNotTypedCharacters) {
    static int beeps = 0;
    static const host::UiHooks hooks{nullptr, [] { ++beeps; }, nullptr, nullptr, nullptr};
    platform::SetUiHooks(&hooks);
    beeps = 0;
    increment().setText("12");
    // Test key events carry the letter as their text, as some desktops' events do.
    QTest::keyClick(&increment(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(incrementEdit().selectedText(), "12") << "Ctrl+A selects all";
    QTest::keyClick(&increment(), Qt::Key_Delete);
    EXPECT_EQ(increment().text(), "-1") << "the emptied field takes the opposite sign";
    QTest::keyClick(&increment(), Qt::Key_X, Qt::AltModifier);
    EXPECT_EQ(beeps, 0);
    EXPECT_EQ(increment().text(), "-1");
    platform::SetUiHooks(nullptr);
}

class StartFieldTest : public DialogTest, public ::testing::WithParamInterface<int> {};

TEST_P(StartFieldTest, ShowingFocusesTheStartFieldAndChoosesItsOption) {
    struct Expected {
        const char* focus;
        const char* chosen;
    };
    const std::map<int, Expected> table = {
        {-1, {"eOldText", "rbText"}},         {0, {"eOldText", "rbText"}},
        {1, {"eNewText", "rbText"}},          {2, {"cbCaseOptions", "rbChangeCase"}},
        {3, {"cbIncOptions", "rbIncrement"}}, {7, {"eOldText", "rbText"}}};
    const Expected expected = table.at(GetParam());
    FillReplaceForm(form);
    form.startField = GetParam();
    showActive();
    EXPECT_EQ(QApplication::focusWidget()->objectName(), expected.focus);
    EXPECT_TRUE(control<QRadioButton>(expected.chosen).isChecked());
}

INSTANTIATE_TEST_SUITE_P(AllStartFields, StartFieldTest, ::testing::Values(-1, 0, 1, 2, 3, 7));

} // namespace
} // namespace qx::test
