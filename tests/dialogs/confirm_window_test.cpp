// The confirm window: its answers reach the host as key strokes, its Edit button rewrites the
// proposed text through the edit dialog, and its height follows its texts.
#include "dialogs/confirm_window.h"
#include "dialogs/dialog_result.h"
#include "dialogs/edit_text_dialog.h"
#include "dialogs/label_auto_height.h"
#include "host/host_api.h"
#include "platform/platform.h"
#include "state/state_access.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using qx::TfmConfirm;
using qx::TfmEditText;

// Stands in for the desktop: records key strokes and runs modal dialogs through a script.
struct ScriptedUi {
    static inline std::vector<std::int32_t> keys;
    static inline std::function<int(TfmEditText&)> modal;
    static inline int modalRuns = 0;

    ScriptedUi() {
        keys.clear();
        modal = nullptr;
        modalRuns = 0;
        hooks.messageBox = [](qx::host::BoxKind, const char*, const char*, bool) {
            return qx::host::BoxAnswer::Ok;
        };
        hooks.sendKey = [](std::int32_t code) { keys.push_back(code); };
        hooks.runModal = [](void* dialog) -> std::int32_t {
            ++modalRuns;
            auto* edit = qobject_cast<TfmEditText*>(static_cast<QDialog*>(dialog));
            return edit != nullptr && modal ? modal(*edit) : 0;
        };
        qx::platform::SetUiHooks(&hooks);
    }
    ~ScriptedUi() { qx::platform::SetUiHooks(nullptr); }

    qx::host::UiHooks hooks{};
};

class ConfirmWindowTest : public testing::Test {
protected:
    ConfirmWindowTest() : record(std::make_unique<qx::QuillexL>()) {
        qx::SetStatePointer(record.get());
        form.pNewStr = &editedText;
        form.pManualEditMade = &manualEditMade;
    }
    ~ConfirmWindowTest() override { qx::SetStatePointer(nullptr); }

    // Fills the window as the review loop does for a plain text entity.
    void fill(const QString& oldText, const QString& newText) {
        form.lblOldTxt->setText(oldText);
        form.lblNewTxt->setText(newText);
        editedText = newText.toStdString();
        form.fitLabels();
    }

    // The edit dialog will end with `result` after its field was set to `text`.
    void editWillEnd(int result, const QString& text) {
        ScriptedUi::modal = [this, result, text](TfmEditText& dialog) {
            offeredText = dialog.eNewText->text();
            confirmHiddenDuringEdit = form.isHidden();
            dialog.eNewText->setText(text);
            return result;
        };
    }

    ScriptedUi ui;
    std::unique_ptr<qx::QuillexL> record;
    TfmConfirm form;
    std::string editedText;
    bool manualEditMade = false;
    QString offeredText;
    bool confirmHiddenDuringEdit = false;
};

const QString kLongText = QStringLiteral(
    "cannot be updated by this macro: Select 'F1 Yes' to add it to a Selection Set for "
    "subsequent processing");

int Bottom(const QWidget& widget) {
    return widget.y() + widget.height();
}

// The window's client height for a layout whose last text ends at `bottom`: four note heights
// below it, less the designed frame (the outer height 142 around the client height 123).
int ExpectedClientHeight(const TfmConfirm& form, int bottom) {
    return 4 * form.lblWithNote->height() + bottom - 19;
}

TEST_F(ConfirmWindowTest, EachAnswerButtonPressesItsReviewKeyAndLeavesTheWindowAsItIs) {
    struct Row {
        QPushButton* button;
        std::int32_t key;
    };
    const Row rows[] = {{form.btnYes, qx::host::KeyF(1)},
                        {form.btnNo, qx::host::KeyF(2)},
                        {form.btnYesAll, qx::host::KeyF(5)},
                        {form.btnNoAll, 349}};
    form.show();
    fill(QStringLiteral("old"), QStringLiteral("new"));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.button->objectName().toStdString());
        ScriptedUi::keys.clear();
        QTest::mouseClick(row.button, Qt::LeftButton);
        EXPECT_EQ(ScriptedUi::keys, std::vector<std::int32_t>{row.key});
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(form.lblNewTxt->text(), QStringLiteral("new"));
    }
    EXPECT_EQ(ScriptedUi::modalRuns, 0);
}

TEST_F(ConfirmWindowTest, ShowsTheDesignedCaptionsWithTheNotesHidden) {
    EXPECT_EQ(form.objectName(), QStringLiteral("fmConfirm"));
    EXPECT_EQ(form.windowTitle(),
              QStringLiteral("CONFIRM - left click in drawing area to move view to entity"));
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(form.isModal());
    EXPECT_EQ(form.lblReplace->text(), QStringLiteral("Replace"));
    EXPECT_EQ(form.lblWith->text(), QStringLiteral("With"));
    EXPECT_EQ(form.btnYesAll->text(), QStringLiteral("Yes to All"));
    EXPECT_EQ(form.btnNoAll->text(), QStringLiteral("No to All"));
    EXPECT_EQ(form.lblMaxLength->text(),
              QStringLiteral("No changes made: Maximum text length would be exceeded"));
    EXPECT_EQ(
        form.lblWithNote->text(),
        QStringLiteral("(Note: due to length of the text, only some changes have been made)"));
    for (const QWidget* note : {form.lblLocked, form.lblWithNote, form.lblMaxLength})
        EXPECT_TRUE(note->isHidden()) << note->objectName().toStdString();
    EXPECT_EQ(form.minimumWidth(), 468);
    EXPECT_FALSE(form.btnYes->autoDefault());
    EXPECT_FALSE(form.btnEdit->autoDefault());
}

TEST_F(ConfirmWindowTest, AnEditThatChangesTheTextHidesTheLengthNoteAndShowsTheTextAtOnce) {
    form.show();
    fill(QStringLiteral("old"), QStringLiteral("proposed"));
    form.lblMaxLength->show();
    editWillEnd(qx::kResultOk, QStringLiteral("typed by hand"));

    QTest::mouseClick(form.btnEdit, Qt::LeftButton);

    EXPECT_EQ(offeredText, QStringLiteral("proposed"));
    EXPECT_TRUE(confirmHiddenDuringEdit);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(editedText, "typed by hand");
    EXPECT_TRUE(manualEditMade);
    EXPECT_TRUE(form.lblMaxLength->isHidden());
    EXPECT_EQ(form.lblNewTxt->text(), QStringLiteral("typed by hand"));
    EXPECT_TRUE(ScriptedUi::keys.empty());
}

TEST_F(ConfirmWindowTest, AnEditEndedWithOkButUnchangedKeepsTheFlagAndTheNote) {
    fill(QStringLiteral("old"), QStringLiteral("proposed"));
    editedText = "stale";
    form.lblMaxLength->show();
    editWillEnd(qx::kResultOk, QStringLiteral("proposed"));

    QTest::mouseClick(form.btnEdit, Qt::LeftButton);

    EXPECT_FALSE(manualEditMade);
    EXPECT_FALSE(form.lblMaxLength->isHidden());
    // The text is handed back also when nothing changed.
    EXPECT_EQ(editedText, "proposed");
}

TEST_F(ConfirmWindowTest, ACancelledEditChangesNothing) {
    fill(QStringLiteral("old"), QStringLiteral("proposed"));
    form.lblMaxLength->show();
    editWillEnd(qx::kResultCancel, QStringLiteral("thrown away"));

    QTest::mouseClick(form.btnEdit, Qt::LeftButton);

    EXPECT_EQ(ScriptedUi::modalRuns, 1);
    EXPECT_EQ(editedText, "proposed");
    EXPECT_FALSE(manualEditMade);
    EXPECT_FALSE(form.lblMaxLength->isHidden());
    EXPECT_EQ(form.lblNewTxt->text(), QStringLiteral("proposed"));
}

TEST_F(ConfirmWindowTest, AnEditedTextIsHandedBackInTheHostCodePage) {
    fill(QStringLiteral("old"), QStringLiteral("caf\u00e9"));
    editWillEnd(qx::kResultOk, QStringLiteral("na\u00efve \u20ac \u4e2d"));

    QTest::mouseClick(form.btnEdit, Qt::LeftButton);

    // What Windows-1252 cannot hold becomes '?', and the window shows what will be written.
    EXPECT_EQ(editedText, "na\xEFve \x80 ?");
    EXPECT_EQ(form.lblNewTxt->text(), QStringLiteral("na\u00efve \u20ac ?"));
    EXPECT_TRUE(manualEditMade);
}

TEST_F(ConfirmWindowTest, AnEditGrowsTheWindowForALongerText) {
    fill(QStringLiteral("old"), QStringLiteral("short"));
    const int before = form.height();
    editWillEnd(qx::kResultOk, kLongText + kLongText);

    QTest::mouseClick(form.btnEdit, Qt::LeftButton);

    EXPECT_GT(form.height(), before);
    EXPECT_EQ(form.height(), ExpectedClientHeight(form, Bottom(*form.lblNewTxt)));
}

TEST_F(ConfirmWindowTest, OneLineTextsStackAsDesigned) {
    fill(QStringLiteral("old"), QStringLiteral("new"));
    const int h = form.lblReplace->height();
    const int u = form.lblWithNote->height();

    EXPECT_EQ(form.lblOldTxt->width(), 468 + 12 - 2 * u);
    EXPECT_EQ(form.lblWith->y(), Bottom(*form.lblOldTxt) + h / 2);
    EXPECT_EQ(form.lblNewTxt->y(), form.lblWith->y() + std::lround(1.2 * h));
    EXPECT_EQ(form.lblWithNote->y(), form.lblWith->y());
    EXPECT_EQ(form.lblMaxLength->y(), form.lblWith->y());
    EXPECT_EQ(form.height(), ExpectedClientHeight(form, Bottom(*form.lblNewTxt)));
    // The buttons keep their designed distance (2) to the bottom edge.
    for (const QPushButton* button :
         {form.btnYes, form.btnNo, form.btnYesAll, form.btnNoAll, form.btnEdit})
        EXPECT_EQ(form.height() - Bottom(*button), 2) << button->objectName().toStdString();
    EXPECT_EQ(form.width() - (form.btnEdit->x() + form.btnEdit->width()), 468 - 392 - 60);
}

TEST_F(ConfirmWindowTest, ALongWithTextMakesRoomForAllItsLines) {
    form.lblReplace->setText(QStringLiteral("Smart Entity Text"));
    form.lblWith->setText(kLongText);
    fill(QStringLiteral("gathered text"), QString());
    const int oneLine = form.lblReplace->height();

    EXPECT_GT(form.lblWith->height(), oneLine);
    EXPECT_GE(form.lblNewTxt->y(), form.lblWith->y() + std::lround(1.2 * oneLine));
    EXPECT_EQ(form.height(), ExpectedClientHeight(form, Bottom(*form.lblNewTxt)));
}

TEST_F(ConfirmWindowTest, AnEmptyWithTextEndsTheWindowBelowIt) {
    form.lblWith->setText(QString());
    fill(QStringLiteral("old"), QStringLiteral("new"));
    EXPECT_EQ(form.height(), ExpectedClientHeight(form, Bottom(*form.lblWith)));
}

TEST_F(ConfirmWindowTest, NarrowingTheShownWindowWrapsTheTextsAndMakesItTaller) {
    form.resize(900, form.height());
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.lblWith->setText(kLongText);
    fill(kLongText, kLongText);
    const int wideHeight = form.height();
    const int wideLines = form.lblOldTxt->height();

    form.resize(form.minimumWidth(), form.height());
    QCoreApplication::processEvents();

    EXPECT_GT(form.lblOldTxt->height(), wideLines);
    EXPECT_GT(form.height(), wideHeight);
    EXPECT_EQ(form.height(), ExpectedClientHeight(form, Bottom(*form.lblNewTxt)));
    EXPECT_EQ(form.lblOldTxt->x(), 16);
    EXPECT_EQ(form.lblNewTxt->x(), 16);
    EXPECT_EQ(form.lblWith->x(), 8);
    EXPECT_EQ(form.height() - Bottom(*form.btnYes), 2);
}

TEST_F(ConfirmWindowTest, ResizesArrivingWhileTheHeightIsSetAreIgnored) {
    fill(QStringLiteral("old"), QStringLiteral("new"));
    const int fitted = form.height();
    form.AdjustingHeight = true;
    form.lblNewTxt->setText(kLongText + kLongText);
    form.fitLabels();
    EXPECT_EQ(form.height(), fitted);
    form.AdjustingHeight = false;
    form.fitLabels();
    EXPECT_GT(form.height(), fitted);
}

class EditTextDialogTest : public testing::Test {
protected:
    TfmEditText dialog;
};

TEST_F(EditTextDialogTest, HoldsOneEntityTextAndEndsWithTheMacrosResultCodes) {
    EXPECT_EQ(dialog.objectName(), QStringLiteral("fmEditText"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Enter New Text for Entity"));
    EXPECT_EQ(dialog.eNewText->maxLength(), 255);
    EXPECT_TRUE(dialog.Button1->isDefault());
    EXPECT_EQ(dialog.Button1->text(), QStringLiteral("OK"));
    EXPECT_EQ(dialog.btnCancel->text(), QStringLiteral("Cancel"));

    QTest::mouseClick(dialog.Button1, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), qx::kResultOk);
    QTest::mouseClick(dialog.btnCancel, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), qx::kResultCancel);
    dialog.setResult(0);
    dialog.reject();
    EXPECT_EQ(dialog.result(), qx::kResultCancel);
}

TEST_F(EditTextDialogTest, OnlyTheWidthChangesAndTheButtonsKeepToTheRightEdge) {
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    dialog.resize(828, 200);
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog.height(), 60);
    EXPECT_EQ(dialog.width() - (dialog.Button1->x() + dialog.Button1->width()), 8);
    EXPECT_EQ(dialog.width() - (dialog.btnCancel->x() + dialog.btnCancel->width()), 96);
    EXPECT_EQ(dialog.Button1->y(), 37);
}

} // namespace
