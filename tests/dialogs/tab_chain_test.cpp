// The tab chain of every dialog, walked as a keyboard user walks it after choices made with the
// mouse: each Tab must land on the next visible control of the chain, whatever was clicked
// before.
#include "cadhost/driver/session.h"
#include "dialogs/confirm_window.h"
#include "dialogs/drop_down_list.h"
#include "dialogs/edit_text_dialog.h"
#include "dialogs/layer_grid.h"
#include "dialogs/layers_dialog.h"
#include "dialogs/replace_form_io.h"
#include "dialogs/replace_text_dialog.h"
#include "dialogs/selset_dialog.h"
#include "state/state_access.h"
#include "tests/support/cadhost_slots.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace qx {
namespace {

// The control that holds the focus, named as the scenarios name it: the nearest named widget,
// so that the edit line inside a spin field counts as the field. A focus on a hidden widget or
// on none at all is reported as such, since a keyboard user would be lost there.
std::string FocusedControl() {
    QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr)
        return "<no focus>";
    if (!focus->isVisible())
        return "<hidden " + focus->objectName().toStdString() + ">";
    for (QWidget* w = focus; w != nullptr; w = w->parentWidget()) {
        const QString name = w->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")))
            return name.toStdString();
    }
    return "<unnamed>";
}

// Presses Tab `count` times from the focused control and lists where each press landed.
std::vector<std::string> WalkTab(int count) {
    std::vector<std::string> stops;
    for (int i = 0; i < count; ++i) {
        QWidget* focus = QApplication::focusWidget();
        if (focus == nullptr) {
            stops.push_back("<no focus>");
            break;
        }
        QTest::keyClick(focus, Qt::Key_Tab);
        stops.push_back(FocusedControl());
    }
    return stops;
}

void ShowActive(QWidget& window) {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

// Opens the drop-down list with a click and clicks the entry, as a mouse user chooses.
void ChooseWithMouse(QComboBox& list, int entry) {
    QTest::mouseClick(&list, Qt::LeftButton);
    QAbstractItemView* view = list.view();
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->isVisible(); }));
    // The list ignores a release that follows its opening too closely, taking it for the end of
    // the opening click.
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    const QRect entryRect = view->visualRect(view->model()->index(entry, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, entryRect.center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !view->isVisible(); }));
    ASSERT_EQ(list.currentIndex(), entry);
}

void ClickInto(QWidget& control) {
    QTest::mouseClick(&control, Qt::LeftButton);
}

class TabChainTest : public ::testing::Test {
protected:
    TabChainTest() : record_(std::make_unique<QuillexL>()) {
        cadhost::ResetSession();
        test::BindSlotsToCadhost();
        SetStatePointer(record_.get());
    }
    ~TabChainTest() override {
        SetStatePointer(nullptr);
        test::UnbindSlots();
    }

    std::unique_ptr<QuillexL> record_;
};

// After filling, the chosen option ("Text:") is out of the chain; the others are in it until
// they are chosen.
const std::vector<std::string> kReplaceChainAfterCaseChoice = {
    "cbCaseOptions", "rbIncrement", "cbIncOptions", "seIncrement",
    "btnOK",         "btnCancel",   "eOldText",     "eNewText"};

TEST_F(TabChainTest, ReplaceTextAfterACaseOptionChosenWithTheMouse) {
    TfmReplaceText form;
    FillReplaceForm(form);
    ShowActive(form);
    ChooseWithMouse(*form.cbCaseOptions, 2);
    EXPECT_TRUE(form.rbChangeCase->isChecked());
    ClickInto(*form.eOldText);
    form.eNewText->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(WalkTab(8), kReplaceChainAfterCaseChoice);
}

TEST_F(TabChainTest, ReplaceTextAfterEveryOptionChosenWithTheMouse) {
    TfmReplaceText form;
    FillReplaceForm(form);
    ShowActive(form);
    ChooseWithMouse(*form.cbIncOptions, 1);
    ChooseWithMouse(*form.cbCaseOptions, 1);
    ClickInto(*form.eNewText);
    EXPECT_TRUE(form.rbText->isChecked());
    const std::vector<std::string> chain = {"cbCaseOptions", "cbIncOptions", "seIncrement", "btnOK",
                                            "btnCancel",     "eOldText",     "eNewText"};
    EXPECT_EQ(WalkTab(7), chain);
    // A tick with the mouse leaves the focus on the check box, which is no stop: Tab goes on
    // to the first entry field and the chain is the same.
    QTest::mouseClick(form.chbWord, Qt::LeftButton);
    EXPECT_TRUE(form.chbWord->isChecked());
    const std::vector<std::string> fromTheTick = {"eOldText",     "eNewText",    "cbCaseOptions",
                                                  "cbIncOptions", "seIncrement", "btnOK",
                                                  "btnCancel"};
    EXPECT_EQ(WalkTab(7), fromTheTick);
}

TEST_F(TabChainTest, LayersAfterMouseChoicesInTheGridAndTheLists) {
    cadhost::CurrentSession().drawing.AddLayer("Plans");
    cadhost::CurrentSession().drawing.AddLayer("Notes");
    TfmLayers form;
    form.PopulateLayers();
    FillReplaceForm(form);
    ShowActive(form);
    LayerGrid& grid = *form.sgLayers;
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {},
                      grid.visualRect(grid.model()->index(1, 0)).center());
    QTest::mouseClick(form.btnClear, Qt::LeftButton);
    ChooseWithMouse(*form.cbCaseOptions, 1);
    ClickInto(*form.eNewText);
    const std::vector<std::string> chain = {
        "cbCaseOptions", "rbIncrement", "cbIncOptions", "seIncrement", "btnOK",
        "btnCancel",     "Button1",     "sgLayers",     "eOldText",    "eNewText"};
    EXPECT_EQ(WalkTab(10), chain);
}

TEST_F(TabChainTest, SelSetAfterARowAndAppendChosenWithTheMouse) {
    TfmSelSet form(2);
    ShowActive(form);
    QListWidget& list = *form.lbSelSets;
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                      list.visualItemRect(list.item(3)).center());
    QTest::mouseClick(form.chbAppend, Qt::LeftButton);
    EXPECT_TRUE(form.chbAppend->isChecked());
    form.chbAppend->setFocus(Qt::MouseFocusReason);
    const std::vector<std::string> chain = {"btnOK", "lbSelSets", "btnCancel", "chbAppend"};
    EXPECT_EQ(WalkTab(4), chain);
}

TEST_F(TabChainTest, ConfirmAfterAnAnswerClickedWithTheMouse) {
    TfmConfirm form;
    std::string proposed = "text";
    bool edited = false;
    form.pNewStr = &proposed;
    form.pManualEditMade = &edited;
    ShowActive(form);
    // Without a host window the key the button sends goes nowhere; the focus is what counts.
    QTest::mouseClick(form.btnNo, Qt::LeftButton);
    const std::vector<std::string> chain = {"btnYesAll", "btnNoAll", "btnEdit", "btnYes", "btnNo"};
    EXPECT_EQ(WalkTab(5), chain);
}

TEST_F(TabChainTest, EditTextWalksFieldOkCancel) {
    TfmEditText form;
    ShowActive(form);
    ClickInto(*form.eNewText);
    const std::vector<std::string> chain = {"Button1", "btnCancel", "eNewText"};
    EXPECT_EQ(WalkTab(3), chain);
}

} // namespace
} // namespace qx
