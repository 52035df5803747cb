// The review-window guard (at most one floating window, placed where the user left it) and the
// found-text window's height.
#include "controller/review_forms.h"
#include "dialogs/confirm_window.h"
#include "dialogs/found_text_window.h"
#include "dialogs/label_auto_height.h"
#include "host/host_api.h"
#include "platform/platform.h"
#include "state/state_access.h"
#include "tests/support/fake_host.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_dir.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

namespace {

using qx::ReviewFormKind;
using qx::platform::ReadProfileValue;

class ReviewFormsTest : public testing::Test {
protected:
    ReviewFormsTest() : record(std::make_unique<qx::QuillexL>()) {
        qx::SetStatePointer(record.get());
        sharedPath = dir.Folder("shared");
        host.SetPath(qx::host::kPathShared, sharedPath);
    }
    ~ReviewFormsTest() override {
        qx::FreeReviewForm();
        qx::SetStatePointer(nullptr);
    }

    std::string SharedIni() const { return sharedPath + "pellworth/pellworth.ini"; }
    void WriteSharedIni(const std::string& contents) {
        std::filesystem::create_directories(sharedPath + "pellworth");
        qx::test::WriteFile(SharedIni(), contents);
    }

    qx::test::TempDir dir;
    qx::test::FakeHost host;
    qx::test::RecordingUi ui;
    std::unique_ptr<qx::QuillexL> record;
    std::string sharedPath;
};

TEST_F(ReviewFormsTest, CreatesTheWindowOfEachKindAndKeepsItInTheState) {
    ASSERT_TRUE(qx::CreateReviewForm(ReviewFormKind::Confirm));
    EXPECT_EQ(record->reviewFormKind, 1);
    EXPECT_NE(qobject_cast<qx::TfmConfirm*>(record->reviewForm.get()), nullptr);
    EXPECT_EQ(record->reviewForm->parent(), nullptr);
    EXPECT_FALSE(record->reviewForm->isVisible());
    qx::FreeReviewForm();
    EXPECT_EQ(record->reviewFormKind, 0);
    EXPECT_FALSE(record->reviewForm);

    ASSERT_TRUE(qx::CreateReviewForm(ReviewFormKind::FoundText));
    EXPECT_EQ(record->reviewFormKind, 2);
    EXPECT_NE(qobject_cast<qx::TfmFoundText*>(record->reviewForm.get()), nullptr);
    EXPECT_TRUE(ui.Boxes().empty());
}

TEST_F(ReviewFormsTest, ASecondWindowIsRefusedWithBothKindsNamedAndTheFirstStays) {
    ASSERT_TRUE(qx::CreateReviewForm(ReviewFormKind::FoundText));
    QWidget* open = record->reviewForm.get();

    EXPECT_FALSE(qx::CreateReviewForm(ReviewFormKind::Confirm));

    ASSERT_EQ(ui.Boxes().size(), 1u);
    EXPECT_EQ(ui.Boxes()[0].kind, qx::host::BoxKind::Error);
    EXPECT_EQ(ui.Boxes()[0].text,
              "Unexpected Error displaying Form 1-2 - please advise macro author");
    EXPECT_EQ(record->reviewFormKind, 2);
    EXPECT_EQ(record->reviewForm.get(), open);
}

TEST_F(ReviewFormsTest, FreeingWithNoWindowOnlyResetsTheKind) {
    WriteSharedIni("[Quillex]\n");
    qx::FreeReviewForm();
    EXPECT_EQ(record->reviewFormKind, 0);
    EXPECT_TRUE(ui.Boxes().empty());
    EXPECT_EQ(qx::test::ReadFile(SharedIni()), "[Quillex]\n");

    // A kind left over without a window is cleared as well.
    record->reviewFormKind = 2;
    qx::FreeReviewForm();
    EXPECT_EQ(record->reviewFormKind, 0);
    EXPECT_TRUE(ui.Boxes().empty());
}

TEST_F(ReviewFormsTest, TheWindowReopensWhereTheSharedFileSaysAndIsSavedThereWhenFreed) {
    WriteSharedIni("[Quillex]\nfmConfirm-left=30\nfmConfirm-top=40\nfmConfirm-width=600\n");
    ASSERT_TRUE(qx::CreateReviewForm(ReviewFormKind::Confirm));
    QWidget& form = *record->reviewForm;
    EXPECT_EQ(form.pos(), QPoint(30, 40));
    EXPECT_EQ(form.width(), 600);

    form.move(50, 60);
    const int height = form.height();
    qx::FreeReviewForm();

    EXPECT_EQ(ReadProfileValue(SharedIni(), "Quillex", "fmConfirm-left"), "50");
    EXPECT_EQ(ReadProfileValue(SharedIni(), "Quillex", "fmConfirm-top"), "60");
    EXPECT_EQ(ReadProfileValue(SharedIni(), "Quillex", "fmConfirm-width"), "600");
    EXPECT_EQ(ReadProfileValue(SharedIni(), "Quillex", "fmConfirm-height"), std::to_string(height));
    EXPECT_TRUE(ui.Boxes().empty());
}

TEST_F(ReviewFormsTest, WithoutTheSharedFileTheWindowKeepsItsDesignAndNothingIsWritten) {
    ASSERT_TRUE(qx::CreateReviewForm(ReviewFormKind::FoundText));
    EXPECT_EQ(record->reviewForm->size(), QSize(624, 26));
    qx::FreeReviewForm();
    EXPECT_FALSE(std::filesystem::exists(SharedIni()));
    EXPECT_TRUE(ui.Boxes().empty());
}

TEST_F(ReviewFormsTest, TheEditDialogReopensWhereTheSharedFileSaysAndIsSavedThere) {
    WriteSharedIni("[Quillex]\nfmEditText-left=70\nfmEditText-top=80\nfmEditText-width=700\n");
    ASSERT_TRUE(qx::CreateReviewForm(ReviewFormKind::Confirm));
    auto* form = qobject_cast<qx::TfmConfirm*>(record->reviewForm.get());
    ASSERT_NE(form, nullptr);

    // The recording desktop closes the dialog at once without OK.
    QTest::mouseClick(form->btnEdit, Qt::LeftButton);

    EXPECT_EQ(ReadProfileValue(SharedIni(), "Quillex", "fmEditText-left"), "70");
    EXPECT_EQ(ReadProfileValue(SharedIni(), "Quillex", "fmEditText-top"), "80");
    EXPECT_EQ(ReadProfileValue(SharedIni(), "Quillex", "fmEditText-width"), "700");
    EXPECT_EQ(ReadProfileValue(SharedIni(), "Quillex", "fmEditText-height"), "60");
    EXPECT_TRUE(ui.Boxes().empty());
}

class FoundTextWindowTest : public testing::Test {
protected:
    qx::TfmFoundText form;
};

TEST_F(FoundTextWindowTest, FitsOneLineAsDesigned) {
    EXPECT_EQ(form.objectName(), QStringLiteral("fmFoundText"));
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(form.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    form.lblFoundText->setText(QStringLiteral("DOOR 12"));
    form.fitLabels();
    EXPECT_EQ(form.lblFoundText->pos(), QPoint(8, 6));
    // Widths and heights in outer terms: the window is designed 640 x 63 around 624 x 26.
    EXPECT_EQ(form.lblFoundText->width(), 624 + 16 - 24);
    EXPECT_EQ(form.height(), form.lblFoundText->height() + 48 - 37);
}

TEST_F(FoundTextWindowTest, AWrappingTextMakesTheWindowTallerByALinePerExtraLine) {
    form.lblFoundText->setText(QStringLiteral("DOOR 12"));
    form.fitLabels();
    const int oneLine = form.height();
    const int lineHeight = form.lblFoundText->height();

    QString words;
    for (int i = 0; i < 40; ++i)
        words += QStringLiteral("wrapping ");
    form.lblFoundText->setText(words.trimmed());
    form.fitLabels();

    const int extraLines =
        (form.lblFoundText->height() - lineHeight) / form.fontMetrics().lineSpacing();
    EXPECT_GE(extraLines, 2);
    EXPECT_EQ(form.height() - oneLine, form.lblFoundText->height() - lineHeight);
}

TEST_F(FoundTextWindowTest, NarrowingTheShownWindowRewrapsTheText) {
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QString words;
    for (int i = 0; i < 20; ++i)
        words += QStringLiteral("wrapping ");
    form.lblFoundText->setText(words.trimmed());
    form.fitLabels();
    const int wide = form.height();

    form.resize(200, form.height());
    QCoreApplication::processEvents();

    EXPECT_EQ(form.lblFoundText->width(), 200 + 16 - 24);
    EXPECT_GT(form.height(), wide);
    EXPECT_EQ(form.height(), form.lblFoundText->height() + 48 - 37);
}

} // namespace
