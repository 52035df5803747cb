// Filling the dialog from the state record and reading it back into the record and the
// settings.
#include "dialog_fixture.h"
#include "dialogs/replace_form_io.h"
#include "dialogs/whole_number_spin_field.h"
#include "host/host_api.h"
#include "platform/platform.h"
#include "settings/settings_store.h"
#include "tests/support/fake_host.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include <filesystem>
#include <string>
#include <vector>

namespace qx::test {
namespace {

class ReplaceFormIoTest : public DialogTest {
protected:
    QComboBox& caseList() { return control<QComboBox>("cbCaseOptions"); }
    QComboBox& incList() { return control<QComboBox>("cbIncOptions"); }
    QString increment() { return control<WholeNumberSpinField>("seIncrement").text(); }
    bool isChosen(const char* name) { return control<QRadioButton>(name).isChecked(); }
};

TEST_F(ReplaceFormIoTest, FillingShowsTextsAndOptions) {
    state().searchStr = host::str255("caf\xE9");
    state().replaceStr = host::str255("\x80 5");
    state().caseSens = true;
    state().wholeEnts = true;
    state().increment = -4;
    FillReplaceForm(form);
    EXPECT_EQ(control<QLineEdit>("eOldText").text(), QString::fromUtf8("café"));
    EXPECT_EQ(control<QLineEdit>("eNewText").text(), QString::fromUtf8("€ 5"));
    EXPECT_TRUE(control<QCheckBox>("chbCase").isChecked());
    EXPECT_FALSE(control<QCheckBox>("chbWord").isChecked());
    EXPECT_TRUE(control<QCheckBox>("chbEntity").isChecked());
    EXPECT_EQ(increment(), "-4");
    EXPECT_FALSE(form.populating);
}

TEST_F(ReplaceFormIoTest, ACaseOperationShowsItsEntryAndTheLastNumberPosition) {
    state().operation = opLower;
    state().lastInc = 3;
    FillReplaceForm(form);
    EXPECT_TRUE(isChosen("rbChangeCase"));
    EXPECT_EQ(caseList().currentText(), "Lower Case");
    EXPECT_EQ(incList().currentText(), "Number at Start of Text");
    // Filling picks an option without taking it out of the tab order; only "Text:" leaves it.
    EXPECT_TRUE(control<QRadioButton>("rbChangeCase").focusPolicy() & Qt::TabFocus);
}

TEST_F(ReplaceFormIoTest, AnIncrementOperationShowsItsEntryAndTheLastCase) {
    state().operation = opIncEnd;
    state().lastCase = 2;
    FillReplaceForm(form);
    EXPECT_TRUE(isChosen("rbIncrement"));
    EXPECT_EQ(incList().currentIndex(), 4);
    EXPECT_EQ(caseList().currentIndex(), 2);
}

TEST_F(ReplaceFormIoTest, ReplacingWithOutOfRangeMemoriesKeepsTheFirstEntries) {
    state().operation = opReplace;
    state().lastCase = 7;
    state().lastInc = -1;
    FillReplaceForm(form);
    EXPECT_TRUE(isChosen("rbText"));
    EXPECT_FALSE(control<QRadioButton>("rbText").focusPolicy() & Qt::TabFocus);
    EXPECT_EQ(caseList().currentText(), "Upper Case");
    EXPECT_EQ(incList().currentIndex(), 0);
}

TEST_F(ReplaceFormIoTest, AStoredZeroIncrementShowsAndStoresOne) {
    FakeHost host;
    state().increment = 0;
    FillReplaceForm(form);
    EXPECT_EQ(increment(), "1");
    ReadReplaceForm(form);
    EXPECT_EQ(state().increment, 1);
    EXPECT_EQ(host.IntAttribute("Increment"), 1);
}

TEST_F(ReplaceFormIoTest, AFilledIncrementIsTheValueBeforeForTheZeroRule) {
    state().increment = 1;
    FillReplaceForm(form);
    control<WholeNumberSpinField>("seIncrement").setText("");
    EXPECT_EQ(increment(), "-1");
}

// The macro settings file lives in a folder of its own for the test.
class ReadBackTest : public ReplaceFormIoTest {
protected:
    ReadBackTest() {
        folder_ =
            std::filesystem::temp_directory_path() /
            ("qx_dialogs_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "_" + std::to_string(reinterpret_cast<std::uintptr_t>(this)));
        std::filesystem::create_directories(folder_ / "macros");
        host_.SetPath(host::kPathMacro, (folder_ / "macros").string() + "/");
        host_.SetPath(6, folder_.string() + "/");
        settings_ = settings::InitSettings("Quillex");
    }
    ~ReadBackTest() override { std::filesystem::remove_all(folder_); }

    std::optional<std::string> fileValue(const std::string& key) {
        return platform::ReadProfileValue(settings::MacroIniFile(), "Quillex", key);
    }

    std::filesystem::path folder_;
    FakeHost host_;
    bool settings_ = false;
};

TEST_F(ReadBackTest, OkStoresEveryValueInOrderInTheDrawingAndTheFile) {
    ASSERT_TRUE(settings_);
    FillReplaceForm(form);
    host_.ClearSaves();
    control<QLineEdit>("eOldText").setText(QString::fromUtf8("Ωmega ") + QString(300, u'x'));
    control<QLineEdit>("eNewText").setText(QString::fromUtf8("naïve"));
    control<QCheckBox>("chbWord").setChecked(true);
    caseList().setCurrentIndex(2);
    incList().setCurrentIndex(1); // chooses "Increment", the last option used
    control<WholeNumberSpinField>("seIncrement").setText("-7");
    ReadReplaceForm(form);

    EXPECT_EQ(host_.SavedNames(), (std::vector<std::string>{"SearchStr", "WholeEnts", "WholeWords",
                                                            "CaseSens", "ReplaceStr", "Operation",
                                                            "Increment", "LastInc", "LastCase"}));
    const std::string search = state().searchStr.str();
    EXPECT_EQ(search.size(), 255u) << "the typed text was cut to the field's limit";
    EXPECT_EQ(search.substr(0, 6), "?mega ");
    EXPECT_EQ(state().replaceStr.str(), "na\xEFve");
    EXPECT_FALSE(state().caseSens);
    EXPECT_TRUE(state().wholeWords);
    EXPECT_FALSE(state().wholeEnts);
    EXPECT_EQ(state().operation, opIncSecond);
    EXPECT_EQ(state().increment, -7);
    EXPECT_EQ(state().lastInc, 1);
    EXPECT_EQ(state().lastCase, 2);

    EXPECT_EQ(host_.TextAttribute("ReplaceStr"), "na\xEFve");
    EXPECT_EQ(host_.IntAttribute("WholeWords"), 1);
    EXPECT_EQ(host_.IntAttribute("Operation"), opIncSecond);
    EXPECT_EQ(fileValue("Increment"), "-7");
    EXPECT_EQ(fileValue("WholeWords"), "1");
    EXPECT_EQ(fileValue("LastCase"), "2");
    EXPECT_EQ(fileValue("ReplaceStr"), "naïve") << "the file holds UTF-8";
}

TEST_F(ReadBackTest, TextChosenStoresOperationZeroButRemembersBothLists) {
    ASSERT_TRUE(settings_);
    state().operation = opIncLast;
    FillReplaceForm(form);
    caseList().setCurrentIndex(1);
    control<QRadioButton>("rbText").setChecked(true);
    ReadReplaceForm(form);
    EXPECT_EQ(state().operation, opReplace);
    EXPECT_EQ(host_.IntAttribute("Operation"), 0);
    EXPECT_EQ(host_.IntAttribute("LastInc"), 2);
    EXPECT_EQ(host_.IntAttribute("LastCase"), 1);
}

TEST_F(ReadBackTest, ClickingTheCaseListWithoutAChangeMakesItTheOperation) {
    ASSERT_TRUE(settings_);
    state().lastCase = 2;
    FillReplaceForm(form);
    showActive();
    QTest::mouseClick(&caseList(), Qt::LeftButton);
    caseList().hidePopup();
    ReadReplaceForm(form);
    EXPECT_EQ(state().operation, opSentence);
}

} // namespace
} // namespace qx::test
