// The scenario runner acts on a real dialog's widgets by object name, as a user would. A small
// dialog of its own proves each action.
#include "cadhost/scenario/dialog_actions.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTableWidget>

namespace {

using cadhost::scenario::RunDialogAction;
using cadhost::scenario::Step;

// A spin field with a key filter of its own, as the macro's increment field has.
class FilteringSpinBox : public QSpinBox {
public:
    using QSpinBox::QSpinBox;
    int filtered = 0;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        ++filtered;
        if (event->text() == "a") {
            event->accept();
            return;
        }
        QSpinBox::keyPressEvent(event);
    }
};

// Notes the last key and the last mouse press it gets.
class Recorder : public QWidget {
public:
    using QWidget::QWidget;
    int key = 0;
    Qt::KeyboardModifiers keyModifiers;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        key = event->key();
        keyModifiers = event->modifiers();
    }
};

// A grid whose rows hold no texts: its painting code draws them, the even rows red, the odd
// rows blue and bold, as an owner-drawn grid does.
class OwnerDrawnRows : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QFont font = option.font;
        font.setBold(index.row() % 2 == 1);
        painter->setFont(font);
        painter->setPen(index.row() % 2 == 0 ? QColor(255, 0, 0) : QColor(0, 0, 255));
        painter->drawText(option.rect, "row " + QString::number(index.row()));
    }
};

class RowGrid : public QTableWidget {
public:
    explicit RowGrid(QWidget* parent) : QTableWidget(3, 1, parent) {
        setItemDelegate(new OwnerDrawnRows(this));
    }
    int pressedRow = -2;
    Qt::MouseButton pressedButton = Qt::NoButton;
    Qt::KeyboardModifiers pressedModifiers;

protected:
    void mousePressEvent(QMouseEvent* event) override {
        pressedRow = rowAt(event->position().toPoint().y());
        pressedButton = event->button();
        pressedModifiers = event->modifiers();
    }
};

class SmallDialog : public QDialog {
public:
    SmallDialog() {
        setObjectName("fmSmall");
        resize(400, 400);
        name->setObjectName("eName");
        flag->setObjectName("chbFlag");
        list->setObjectName("cbList");
        list->addItems({"one", "two", "three"});
        number->setObjectName("seNumber");
        number->setRange(-10, 10);
        ok->setObjectName("btnOK");
        cancel->setObjectName("btnCancel");
        recorder->setObjectName("recorder");
        recorder->setFocusPolicy(Qt::StrongFocus);
        grid->setObjectName("sgGrid");
        entries->setObjectName("lbEntries");
        entries->addItems({"first", "second"});
        note->setObjectName("lblNote");
        note->setText("Careful");
        note->hide();
        area->setObjectName("ScrollBox1");
        name->setGeometry(0, 0, 100, 20);
        flag->setGeometry(0, 30, 100, 20);
        list->setGeometry(0, 60, 100, 20);
        number->setGeometry(0, 90, 100, 20);
        ok->setGeometry(0, 120, 50, 20);
        cancel->setGeometry(60, 120, 50, 20);
        recorder->setGeometry(120, 0, 50, 50);
        grid->setGeometry(200, 0, 150, 200);
        entries->setGeometry(0, 150, 100, 80);
        area->setGeometry(0, 240, 200, 100);
        FillArea();
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
        connect(list, &QComboBox::activated, this, [this](int i) { activated = i; });
        connect(name, &QLineEdit::textEdited, this, [this] { ++edits; });
        list->installEventFilter(this);
        area->viewport()->installEventFilter(this);
    }
    QLineEdit* name = new QLineEdit(this);
    QCheckBox* flag = new QCheckBox("Flag", this);
    QComboBox* list = new QComboBox(this);
    FilteringSpinBox* number = new FilteringSpinBox(this);
    QPushButton* ok = new QPushButton("OK", this);
    QPushButton* cancel = new QPushButton("Cancel", this);
    Recorder* recorder = new Recorder(this);
    RowGrid* grid = new RowGrid(this);
    QListWidget* entries = new QListWidget(this);
    QLabel* note = new QLabel(this);
    QScrollArea* area = new QScrollArea(this);
    int activated = -1;
    int edits = 0;
    int listPresses = 0;
    int areaPresses = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress) {
            listPresses += watched == list ? 1 : 0;
            areaPresses += watched == area->viewport() ? 1 : 0;
        }
        return QDialog::eventFilter(watched, event);
    }

private:
    // Texts stacked top to bottom, the lower one made first, as a report adds its pairs.
    void FillArea() {
        auto* content = new QWidget;
        content->resize(180, 200);
        auto* lower = new QLabel("new text", content);
        lower->move(3, 40);
        QPalette green = lower->palette();
        green.setColor(QPalette::WindowText, QColor(0, 128, 0));
        lower->setPalette(green);
        QFont italic = lower->font();
        italic.setItalic(true);
        lower->setFont(italic);
        lower->setToolTip("Not all of it");
        auto* upper = new QLabel("old text", content);
        upper->move(3, 4);
        area->setWidget(content);
    }
};

Step Action(std::vector<std::string> words) {
    return Step{1, std::move(words), {}};
}

class DialogActions : public testing::Test {
protected:
    void SetUp() override { dialog.show(); }
    std::string Run(std::vector<std::string> words) {
        return RunDialogAction(dialog, Action(std::move(words)));
    }
    SmallDialog dialog;
};

TEST_F(DialogActions, TypingReplacesTheTextKeyByKey) {
    dialog.name->setText("old");
    EXPECT_EQ(Run({"type", "eName", "Gäte 2"}), "");
    EXPECT_EQ(dialog.name->text(), QString::fromUtf8("Gäte 2"));
    EXPECT_GT(dialog.edits, 1) << "typing is a user's edit, not a programmatic change";
    EXPECT_EQ(Run({"clear", "eName"}), "");
    EXPECT_TRUE(dialog.name->text().isEmpty());
}

TEST_F(DialogActions, CheckClicksOnlyWhenTheStateDiffers) {
    EXPECT_EQ(Run({"check", "chbFlag", "on"}), "");
    EXPECT_TRUE(dialog.flag->isChecked());
    EXPECT_EQ(Run({"check", "chbFlag", "on"}), "");
    EXPECT_TRUE(dialog.flag->isChecked());
    EXPECT_EQ(Run({"check", "chbFlag", "off"}), "");
    EXPECT_FALSE(dialog.flag->isChecked());
}

TEST_F(DialogActions, ChooseActivatesAnEntryAsAUserPickWould) {
    EXPECT_EQ(Run({"choose", "cbList", "2"}), "");
    EXPECT_EQ(dialog.list->currentIndex(), 2);
    EXPECT_EQ(dialog.activated, 2);
    EXPECT_FALSE(dialog.list->view()->isVisible());
    EXPECT_EQ(Run({"choose", "cbList", "3"}), "the list has no entry 3");
}

TEST_F(DialogActions, ChoosingTheEntryAlreadyShownStillClicksTheList) {
    const int presses = dialog.listPresses;
    EXPECT_EQ(Run({"choose", "cbList", "0"}), "");
    EXPECT_EQ(dialog.list->currentIndex(), 0);
    EXPECT_EQ(dialog.listPresses, presses + 1);
    EXPECT_EQ(dialog.activated, 0);
}

TEST_F(DialogActions, KeysAndTextReachASpinFieldThroughItsOwnFilter) {
    dialog.number->setValue(1);
    EXPECT_EQ(Run({"key", "seNumber", "Up"}), "");
    EXPECT_EQ(dialog.number->value(), 2);
    EXPECT_EQ(Run({"expect", "seNumber", "text", "2"}), "");
    const int before = dialog.number->filtered;
    EXPECT_EQ(Run({"key", "seNumber", "a"}), "");
    EXPECT_EQ(dialog.number->filtered, before + 1) << "the field's key filter must see the key";
    EXPECT_EQ(Run({"type", "seNumber", "-7"}), "");
    EXPECT_EQ(dialog.number->value(), -7);
    EXPECT_GE(dialog.number->filtered, before + 3);
}

TEST_F(DialogActions, KeysCarryTheirModifiers) {
    const struct {
        const char* spec;
        int key;
        Qt::KeyboardModifiers modifiers;
    } cases[] = {
        {"Shift+Up", Qt::Key_Up, Qt::ShiftModifier},
        {"Ctrl+Space", Qt::Key_Space, Qt::ControlModifier},
        {"Ctrl+Shift+Down", Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier},
        {"PageUp", Qt::Key_PageUp, Qt::NoModifier},
        {"PageDown", Qt::Key_PageDown, Qt::NoModifier},
        {"Shift+a", Qt::Key_A, Qt::ShiftModifier},
    };
    for (const auto& c : cases) {
        dialog.recorder->key = 0;
        EXPECT_EQ(Run({"key", "recorder", c.spec}), "") << c.spec;
        EXPECT_EQ(dialog.recorder->key, c.key) << c.spec;
        EXPECT_EQ(dialog.recorder->keyModifiers, c.modifiers) << c.spec;
    }
    EXPECT_EQ(Run({"key", "recorder", "Hyper+Up"}), "unknown modifier Hyper");
}

TEST_F(DialogActions, ClicksReachARowByItsNumberWithButtonAndModifiers) {
    EXPECT_EQ(Run({"click", "sgGrid", "row", "2", "ctrl"}), "");
    EXPECT_EQ(dialog.grid->pressedRow, 2);
    EXPECT_EQ(dialog.grid->pressedButton, Qt::LeftButton);
    EXPECT_EQ(dialog.grid->pressedModifiers, Qt::ControlModifier);
    EXPECT_EQ(Run({"click", "sgGrid", "row", "1", "right", "shift"}), "");
    EXPECT_EQ(dialog.grid->pressedRow, 1);
    EXPECT_EQ(dialog.grid->pressedButton, Qt::RightButton);
    EXPECT_EQ(dialog.grid->pressedModifiers, Qt::ShiftModifier);
    EXPECT_EQ(Run({"click", "sgGrid", "below"}), "");
    EXPECT_EQ(dialog.grid->pressedRow, -1);
    EXPECT_EQ(Run({"click", "sgGrid", "row", "3"}), "there is no row 3 (there are 3)");
    EXPECT_EQ(Run({"click", "eName", "row", "0"}), "the control has no rows");
}

TEST_F(DialogActions, AClickOnAScrollingAreaLandsInItsViewport) {
    EXPECT_EQ(Run({"click", "ScrollBox1"}), "");
    EXPECT_EQ(dialog.areaPresses, 1);
}

TEST_F(DialogActions, ExpectationsSayWhatWasSeen) {
    dialog.name->setText("door");
    EXPECT_EQ(Run({"expect", "eName", "text", "door"}), "");
    EXPECT_EQ(Run({"expect", "eName", "text", "gate"}),
              "eName text: expected \"gate\", seen \"door\"");
    EXPECT_EQ(Run({"expect", "chbFlag", "checked", "off"}), "");
    EXPECT_EQ(Run({"expect", "cbList", "index", "0"}), "");
    EXPECT_EQ(Run({"expect", "btnOK", "enabled", "on"}), "");
}

TEST_F(DialogActions, WidgetsAreCheckedForWhatTheyShow) {
    const struct {
        std::vector<std::string> action;
        std::string problem;
    } cases[] = {
        {{"expect", "lblNote", "hidden"}, ""},
        {{"expect", "lblNote", "visible"}, "lblNote is hidden"},
        {{"expect", "eName", "visible"}, ""},
        {{"expect", "cbList", "items", "one", "two", "three"}, ""},
        {{"expect", "cbList", "items", "one", "two"},
         "cbList items: expected \"one\" \"two\", seen \"one\" \"two\" \"three\""},
        {{"expect", "lbEntries", "items", "first", "second"}, ""},
        {{"expect", "lbEntries", "row", "1", "text", "second"}, ""},
        // The grid's rows are drawn by its own painting code.
        {{"expect", "sgGrid", "items", "row 0", "row 1", "row 2"}, ""},
        {{"expect", "sgGrid", "row", "0", "colour", "255,0,0"}, ""},
        {{"expect", "sgGrid", "row", "1", "colour", "blue"}, ""},
        {{"expect", "sgGrid", "row", "1", "font", "bold"}, ""},
        {{"expect", "sgGrid", "row", "2", "font", "bold"},
         "sgGrid row 2 font: expected \"bold\", seen \"plain\""},
        {{"expect", "sgGrid", "row", "3", "text", "x"}, "sgGrid has no row 3 (it has 3)"},
        // A scrolling area's rows are its texts from top to bottom.
        {{"expect", "ScrollBox1", "items", "old text", "new text"}, ""},
        {{"expect", "ScrollBox1", "row", "1", "colour", "0,128,0"}, ""},
        {{"expect", "ScrollBox1", "row", "1", "font", "italic"}, ""},
        {{"expect", "ScrollBox1", "row", "1", "hint", "Not all of it"}, ""},
        {{"expect", "ScrollBox1", "row", "0", "font", "plain"}, ""},
        {{"expect", "ScrollBox1", "row", "0", "colour", "green"},
         "ScrollBox1 row 0 colour: expected \"0,128,0\", seen \"0,0,0\""},
        {{"expect", "eName", "font", "bold", "plain"},
         "a font is plain, or any of bold, italic, underline and strikeout"},
        {{"expect", "eName", "colour", "nocolour"},
         "not a colour: nocolour (write R,G,B or a name such as red)"},
        {{"expect", "eName", "colour", "0,256,0"},
         "not a colour: 0,256,0 (write R,G,B or a name such as red)"},
        {{"expect", "eName", "items", "x"}, "eName has no items"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Run(c.action), c.problem) << Action(c.action).Describe();
}

TEST_F(DialogActions, APartialTextMatchesAnyTextContainingIt) {
    dialog.name->setText("the door frame");
    Step partial = Action({"expect", "eName", "text", "door"});
    partial.partial = {false, false, false, true};
    EXPECT_EQ(RunDialogAction(dialog, partial), "");
    partial.words[3] = "gate";
    EXPECT_EQ(RunDialogAction(dialog, partial),
              "eName text: expected a text containing \"gate\", seen \"the door frame\"");
}

TEST_F(DialogActions, ClickingOkAndCancelClosesWithTheirResults) {
    EXPECT_EQ(Run({"click", "btnOK"}), "");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    dialog.show();
    EXPECT_EQ(Run({"click", "btnCancel"}), "");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(DialogActions, UnknownWidgetsAndActionsAreReported) {
    EXPECT_EQ(Run({"click", "btnNowhere"}), "the window has no widget named btnNowhere");
    EXPECT_EQ(Run({"wiggle", "eName"}), "unknown dialog action wiggle");
    EXPECT_EQ(Run({"key", "eName", "Hyper"}), "unknown key Hyper");
    EXPECT_EQ(Run({"check", "eName", "on"}), "the control cannot be ticked");
    EXPECT_EQ(Run({"choose", "eName", "1"}), "the control has no entries to choose");
}

} // namespace
