// The Replace Text dialog as the user meets it: controls, captions, places, resizing, tab order
// and the keys that close it.
#include "dialog_fixture.h"
#include "dialogs/dialog_result.h"
#include "dialogs/replace_form_io.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <map>
#include <string>
#include <vector>

namespace qx::test {
namespace {

using LayoutTest = DialogTest;

struct Placed {
    const char* name;
    const char* parent;
    QRect geometry;
};

const std::vector<Placed> kDesign = {
    {"GroupBox1", "fmReplaceText", {8, 8, 398, 84}},
    {"eOldText", "GroupBox1", {11, 25, 377, 23}},
    {"chbCase", "GroupBox1", {11, 54, 97, 17}},
    {"chbWord", "GroupBox1", {147, 54, 97, 17}},
    {"chbEntity", "GroupBox1", {276, 54, 97, 17}},
    {"GroupBox2", "fmReplaceText", {8, 98, 398, 130}},
    {"rbText", "GroupBox2", {12, 24, 54, 17}},
    {"eNewText", "GroupBox2", {64, 21, 325, 23}},
    {"rbChangeCase", "GroupBox2", {12, 62, 190, 17}},
    {"cbCaseOptions", "GroupBox2", {200, 60, 129, 23}},
    {"rbIncrement", "GroupBox2", {12, 100, 83, 17}},
    {"cbIncOptions", "GroupBox2", {99, 98, 145, 23}},
    {"seIncrement", "GroupBox2", {269, 98, 60, 24}},
    {"btnOK", "fmReplaceText", {331, 236, 75, 25}},
    {"btnCancel", "fmReplaceText", {251, 236, 67, 25}},
};

std::map<std::string, QRect> Geometries(const QWidget& form) {
    std::map<std::string, QRect> result;
    for (const Placed& placed : kDesign) {
        const auto* widget = form.findChild<QWidget*>(QString::fromLatin1(placed.name));
        result[placed.name] = widget ? widget->geometry() : QRect();
    }
    return result;
}

// The designed places are the least: in a font that needs more room for a text, its control
// grows and pushes what follows it, so no control is smaller than drawn or nearer the top-left
// corner of its parent, and the window is no smaller than drawn.
TEST_F(LayoutTest, ControlsSitAtLeastAtTheirDesignPlacesInTheirParents) {
    EXPECT_EQ(form.objectName(), "fmReplaceText");
    EXPECT_GE(form.width(), 434);
    EXPECT_GE(form.height(), 270);
    for (const Placed& placed : kDesign) {
        SCOPED_TRACE(placed.name);
        QWidget& widget = control<QWidget>(placed.name);
        EXPECT_EQ(widget.parentWidget()->objectName(), placed.parent);
        const QRect geometry = widget.geometry();
        EXPECT_GE(geometry.x(), placed.geometry.x());
        EXPECT_GE(geometry.y(), placed.geometry.y());
        EXPECT_GE(geometry.width(), placed.geometry.width());
        EXPECT_GE(geometry.height(), placed.geometry.height());
    }
    EXPECT_GE(control<QLabel>("Label1").x(), 250);
    EXPECT_GE(control<QLabel>("Label1").y(), 102);
}

// In a font small enough for every text the dialog is exactly as drawn, also after it had to
// grow for a larger font: each fit starts from the design.
TEST_F(LayoutTest, WhereEveryTextFitsTheDialogIsExactlyAsDrawn) {
    QFont large = form.font();
    large.setPointSizeF(large.pointSizeF() * 2);
    form.setFont(large);
    ASSERT_GT(form.width(), 434) << "the larger font needs more room";

    QFont small = form.font();
    small.setPixelSize(8);
    form.setFont(small);
    EXPECT_EQ(form.size(), QSize(434, 270));
    EXPECT_EQ(form.minimumSize(), QSize(434, 270));
    EXPECT_EQ(form.maximumHeight(), 270);
    for (const Placed& placed : kDesign) {
        SCOPED_TRACE(placed.name);
        EXPECT_EQ(control<QWidget>(placed.name).geometry(), placed.geometry);
    }
    EXPECT_EQ(control<QLabel>("Label1").pos(), QPoint(250, 102));
}

TEST_F(LayoutTest, CaptionsListsAndWindowAreAsDesigned) {
    EXPECT_EQ(form.windowTitle(), "Replace Text");
    EXPECT_EQ(control<QGroupBox>("GroupBox1").title(), "Text to Search For");
    EXPECT_EQ(control<QGroupBox>("GroupBox2").title(), "Replace With");
    EXPECT_EQ(control<QCheckBox>("chbCase").text(), "Case Sensitive");
    EXPECT_EQ(control<QCheckBox>("chbWord").text(), "Whole Word");
    EXPECT_EQ(control<QCheckBox>("chbEntity").text(), "Whole Entity");
    EXPECT_EQ(control<QRadioButton>("rbText").text(), "Text:");
    EXPECT_EQ(control<QRadioButton>("rbChangeCase").text(), "Change case of entire entity to");
    EXPECT_EQ(control<QRadioButton>("rbIncrement").text(), "Increment");
    EXPECT_EQ(control<QLabel>("Label1").text(), "by");
    EXPECT_EQ(control<QPushButton>("btnOK").text(), "OK");
    EXPECT_EQ(control<QPushButton>("btnCancel").text(), "Cancel");
    EXPECT_TRUE(control<QPushButton>("btnOK").isDefault());
    EXPECT_EQ(control<QLineEdit>("eOldText").maxLength(), 255);
    EXPECT_EQ(control<QLineEdit>("eNewText").maxLength(), 255);

    auto items = [](const QComboBox& list) {
        QStringList texts;
        for (int i = 0; i < list.count(); ++i)
            texts << list.itemText(i);
        return texts;
    };
    auto& caseList = control<QComboBox>("cbCaseOptions");
    auto& incList = control<QComboBox>("cbIncOptions");
    EXPECT_EQ(items(caseList), QStringList({"Upper Case", "Lower Case", "Sentence Case"}));
    EXPECT_EQ(items(incList),
              QStringList({"First Number in Text", "Second Number in Text", "Last Number in Text",
                           "Number at Start of Text", "Number at End of Text"}));
    EXPECT_FALSE(caseList.isEditable());
    EXPECT_FALSE(incList.isEditable());
    EXPECT_EQ(caseList.currentIndex(), 0);
    EXPECT_EQ(incList.currentIndex(), 0);

    const Qt::WindowFlags flags = form.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinMaxButtonsHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowContextHelpButtonHint));
    EXPECT_EQ(form.font().pointSize(), 9);
}

TEST_F(LayoutTest, WideningStretchesTheFieldsAndCarriesTheButtons) {
    showActive();
    const auto before = Geometries(form);
    form.resize(534, 400);
    const auto after = Geometries(form);

    EXPECT_EQ(form.height(), 270) << "the height is fixed";
    for (const char* name : {"GroupBox1", "GroupBox2", "eOldText", "eNewText"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(after.at(name), before.at(name).adjusted(0, 0, 100, 0));
    }
    for (const char* name : {"btnOK", "btnCancel"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(after.at(name), before.at(name).translated(100, 0));
    }
    for (const char* name : {"chbCase", "chbWord", "chbEntity", "rbText", "rbChangeCase",
                             "cbCaseOptions", "rbIncrement", "cbIncOptions", "seIncrement"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(after.at(name), before.at(name));
    }

    form.resize(300, 270);
    EXPECT_EQ(form.width(), 434) << "the design width is the least width";
    EXPECT_EQ(Geometries(form), before);
}

std::vector<QString> TabWalk(QWidget& start, int steps) {
    std::vector<QString> visited;
    start.setFocus(Qt::TabFocusReason);
    for (int i = 0; i < steps; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(QApplication::focusWidget()->objectName());
    }
    return visited;
}

TEST_F(LayoutTest, TabFollowsTheTableAndSkipsCheckBoxesAndChosenOptions) {
    FillReplaceForm(form);
    showActive();
    // Filling chose and took out "Text:"; the other buttons are still reachable. Qt then treats
    // the radio group as a single stop, the button that last had the focus.
    EXPECT_EQ(TabWalk(control<QWidget>("eOldText"), 8),
              (std::vector<QString>{"eNewText", "rbChangeCase", "cbCaseOptions", "cbIncOptions",
                                    "seIncrement", "btnOK", "btnCancel", "eOldText"}));
    QTest::keyClick(&control<QWidget>("eOldText"), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "btnCancel");

    // Using the lists chooses the other two buttons and takes each out in turn.
    for (const char* name : {"cbCaseOptions", "cbIncOptions"}) {
        auto& list = control<QComboBox>(name);
        QTest::mouseClick(&list, Qt::LeftButton);
        list.hidePopup();
    }
    EXPECT_EQ(TabWalk(control<QWidget>("eOldText"), 7),
              (std::vector<QString>{"eNewText", "cbCaseOptions", "cbIncOptions", "seIncrement",
                                    "btnOK", "btnCancel", "eOldText"}));
}

TEST_F(LayoutTest, EnterAcceptsAndEscapeCancels) {
    showActive();
    QTest::keyClick(&control<QWidget>("eOldText"), Qt::Key_Return);
    EXPECT_EQ(form.result(), kResultOk);
    EXPECT_FALSE(form.isVisible());

    showActive();
    QTest::keyClick(&control<QWidget>("eNewText"), Qt::Key_Escape);
    EXPECT_EQ(form.result(), kResultCancel);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(LayoutTest, TypingALetterOpensAListAtTheMatchingEntry) {
    showActive();
    auto& list = control<QComboBox>("cbIncOptions");
    list.setFocus();
    QTest::keyClick(&list, Qt::Key_L);
    EXPECT_TRUE(list.view()->isVisible());
    EXPECT_EQ(list.view()->currentIndex().row(), 2);
    list.hidePopup();
}

} // namespace
} // namespace qx::test
