// The change report on its real widgets: the pairs built from the report lines, their colours,
// and how they stack and re-wrap with the window's width.
#include "dialogs/report_dialog.h"

#include "dialogs/dialog_result.h"
#include "dialogs/label_auto_height.h"
#include "state/state_access.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace qx {
namespace {

const QColor kRed(255, 0, 0);
const QColor kGreen(0, 128, 0);
const QColor kBlue(0, 0, 255);

QColor TextColour(const QLabel& label) {
    return label.palette().color(QPalette::WindowText);
}

std::string LongText(int words) {
    std::string text;
    for (int i = 0; i < words; ++i)
        text += "word" + std::to_string(i) + " ";
    return text;
}

// Every text label of the report, pair after pair, old before new.
std::vector<TLabelAutoHeight*> AllTexts(const TfmReport& form) {
    std::vector<TLabelAutoHeight*> labels{form.lblTxtOld, form.lblTxtNew};
    for (const TfmReport::LabelPair& pair : form.lblTxts) {
        labels.push_back(pair.oldText);
        labels.push_back(pair.newText);
    }
    return labels;
}

ReportLines Pairs(int count, const std::string& oldText) {
    ReportLines lines;
    for (int i = 0; i < count; ++i) {
        lines.push_back("o" + oldText + std::to_string(i));
        lines.push_back("nnew " + std::to_string(i));
    }
    lines.push_back("r10 replacements made in 10 entities");
    return lines;
}

// The two texts of a pair touch, and pairs lie half a button height (15 pixels) apart.
void ExpectStacked(const TfmReport& form) {
    const std::vector<TLabelAutoHeight*> labels = AllTexts(form);
    for (std::size_t i = 1; i < labels.size(); ++i) {
        const int gap = i % 2 == 1 ? 0 : 15;
        EXPECT_EQ(labels[i]->y(), labels[i - 1]->geometry().bottom() + 1 + gap) << "label " << i;
        EXPECT_EQ(labels[i]->x(), 3) << "label " << i;
    }
}

TEST(ReportDialog, OnePairShowsItsTextsAndTheResult) {
    TfmReport form;
    form.PopulateReport({"odoor 1", "ngate 1", "r1 replacements made in 1 entities"});

    EXPECT_EQ(form.objectName(), "fmReport");
    EXPECT_EQ(form.windowTitle(), "Text Change Report ");
    EXPECT_EQ(form.lblTxtOld->text(), "door 1");
    EXPECT_EQ(form.lblTxtNew->text(), "gate 1");
    EXPECT_EQ(TextColour(*form.lblTxtOld), kRed);
    EXPECT_EQ(TextColour(*form.lblTxtNew), kGreen);
    EXPECT_TRUE(form.lblTxtNew->toolTip().isEmpty());
    EXPECT_EQ(form.lblResultTxt->text(), "1 replacements made in 1 entities");
    EXPECT_TRUE(form.lblTxts.empty());
}

TEST(ReportDialog, ReplacementByNothingShowsBlankInItalic) {
    TfmReport form;
    form.PopulateReport({"odoor", "n", "oframe", "n", "r"});

    for (TLabelAutoHeight* label : {form.lblTxtNew, form.lblTxts.at(0).newText}) {
        EXPECT_EQ(label->text(), "<blank>");
        EXPECT_TRUE(label->font().italic());
        EXPECT_EQ(TextColour(*label), kGreen);
    }
    EXPECT_FALSE(form.lblTxtOld->font().italic());
}

TEST(ReportDialog, PartialChangeIsBlueWithAHintAndLeavesLaterPairsGreen) {
    TfmReport form;
    form.PopulateReport({"odoor", "pgate", "owall", "nfence", "r"});

    EXPECT_EQ(form.lblTxtNew->text(), "gate");
    EXPECT_EQ(TextColour(*form.lblTxtNew), kBlue);
    EXPECT_EQ(form.lblTxtNew->toolTip(),
              "Not all instances of search string were updated due to max text length");

    const TLabelAutoHeight& later = *form.lblTxts.at(0).newText;
    EXPECT_EQ(later.text(), "fence");
    EXPECT_EQ(TextColour(later), kGreen);
    EXPECT_TRUE(later.toolTip().isEmpty());
    EXPECT_EQ(TextColour(*form.lblTxts.at(0).oldText), kRed);
}

TEST(ReportDialog, TextsAreShownAsTheyAreNotAsMarkupAndInTheCodePage) {
    TfmReport form;
    form.PopulateReport({"o<b>caf\xe9</b>", "n&amp;", "r"});

    EXPECT_EQ(form.lblTxtOld->text(), QString::fromUtf8("<b>caf\u00e9</b>"));
    EXPECT_EQ(form.lblTxtNew->text(), "&amp;");
    EXPECT_EQ(form.lblTxtOld->textFormat(), Qt::PlainText);
}

TEST(ReportDialog, TenPairsScrollAndStack) {
    TfmReport form;
    form.PopulateReport(Pairs(10, "door "));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    ASSERT_EQ(form.lblTxts.size(), 9u);
    EXPECT_EQ(form.lblTxts[8].oldText->text(), "door 9");
    EXPECT_EQ(form.lblTxts[8].newText->text(), "new 9");
    EXPECT_EQ(form.lblResultTxt->text(), "10 replacements made in 10 entities");
    // At design size the texts are the area's width less two thirds of a button height.
    for (TLabelAutoHeight* label : AllTexts(form))
        EXPECT_EQ(label->width(), 389);
    ExpectStacked(form);
    EXPECT_TRUE(form.ScrollBox1->verticalScrollBar()->isVisible());
    EXPECT_FALSE(form.ScrollBox1->horizontalScrollBar()->isVisible());
}

TEST(ReportDialog, WideningTheWindowRewrapsAndMovesPairsUp) {
    TfmReport form;
    form.PopulateReport(Pairs(10, LongText(30)));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const int oldHeight = form.lblTxts[0].oldText->height();
    const int lastTop = form.lblTxts.back().oldText->y();

    form.resize(1000, 244);

    EXPECT_EQ(form.ScrollBox1->width(), 988);
    EXPECT_EQ(form.lblTxtOld->width(), 968);
    EXPECT_LT(form.lblTxts[0].oldText->height(), oldHeight);
    EXPECT_LT(form.lblTxts.back().oldText->y(), lastTop);
    ExpectStacked(form);
    // The dismiss button and the result keep their distance to the far edges.
    EXPECT_EQ(form.Button1->geometry(), QRect(909, 206, 84, 30));
    EXPECT_EQ(form.lblResultTxt->geometry(), QRect(8, 208, 895, 28));
}

TEST(ReportDialog, FillingAgainReplacesTheEarlierPairs) {
    TfmReport form;
    form.PopulateReport(Pairs(5, "door "));
    form.PopulateReport(Pairs(2, "wall "));

    ASSERT_EQ(form.lblTxts.size(), 1u);
    EXPECT_EQ(form.lblTxts[0].oldText->text(), "wall 1");
    EXPECT_EQ(form.findChildren<TLabelAutoHeight*>().size(), 4);
}

TEST(ReportDialog, FillsFromTheStateRecord) {
    auto record = std::make_unique<QuillexL>();
    record->reportLines = new ReportLines{"oa", "nb", "oc", "pd", "rdone"};
    SetStatePointer(record.get());
    TfmReport form;

    form.PopulateReport();

    EXPECT_EQ(form.lblTxts.size(), 1u);
    EXPECT_EQ(form.lblTxts[0].newText->text(), "d");
    EXPECT_EQ(form.lblResultTxt->text(), "done");
    delete record->reportLines.get();
    SetStatePointer(nullptr);
}

TEST(ReportDialog, DismissAndEscapeBothCloseWithOk) {
    for (const bool escape : {false, true}) {
        TfmReport form;
        form.show();
        if (escape)
            QTest::keyClick(&form, Qt::Key_Escape);
        else
            QTest::keyClick(form.Button1, Qt::Key_Return);
        EXPECT_EQ(form.result(), kResultOk) << escape;
        EXPECT_FALSE(form.isVisible()) << escape;
    }
}

} // namespace
} // namespace qx
