// The scenario runner acts on a real dialog's widgets by object name, as a user would. A small
// dialog of its own proves each action.
#include "cadhost/scenario/dialog_actions.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace {

using cadhost::scenario::RunDialogAction;
using cadhost::scenario::Step;

class SmallDialog : public QDialog {
public:
    SmallDialog() {
        setObjectName("fmSmall");
        name->setObjectName("eName");
        flag->setObjectName("chbFlag");
        list->setObjectName("cbList");
        list->addItems({"one", "two", "three"});
        number->setObjectName("seNumber");
        number->setRange(-10, 10);
        ok->setObjectName("btnOK");
        cancel->setObjectName("btnCancel");
        name->setGeometry(0, 0, 100, 20);
        flag->setGeometry(0, 30, 100, 20);
        list->setGeometry(0, 60, 100, 20);
        number->setGeometry(0, 90, 100, 20);
        ok->setGeometry(0, 120, 50, 20);
        cancel->setGeometry(60, 120, 50, 20);
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
        connect(list, &QComboBox::activated, this, [this](int i) { activated = i; });
        connect(name, &QLineEdit::textEdited, this, [this] { ++edits; });
    }
    QLineEdit* name = new QLineEdit(this);
    QCheckBox* flag = new QCheckBox("Flag", this);
    QComboBox* list = new QComboBox(this);
    QSpinBox* number = new QSpinBox(this);
    QPushButton* ok = new QPushButton("OK", this);
    QPushButton* cancel = new QPushButton("Cancel", this);
    int activated = -1;
    int edits = 0;
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
    EXPECT_EQ(Run({"choose", "cbList", "3"}), "the list has no entry 3");
}

TEST_F(DialogActions, KeysReachTheSpinFieldsEditor) {
    dialog.number->setValue(1);
    EXPECT_EQ(Run({"key", "seNumber", "Up"}), "");
    EXPECT_EQ(dialog.number->value(), 2);
    EXPECT_EQ(Run({"expect", "seNumber", "text", "2"}), "");
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
    EXPECT_EQ(Run({"check", "eName", "on"}), "check needs a check box and on or off");
    EXPECT_EQ(Run({"choose", "eName", "1"}),
              "choose needs a drop-down list or a list box and an index");
}

} // namespace
