// The self-sizing label: its height follows its text for the width it is given.
#include "dialogs/label_auto_height.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

namespace qx {
namespace {

const QString kLongText = QStringLiteral("one two three four five six seven eight nine ten "
                                         "eleven twelve thirteen fourteen fifteen sixteen");

TEST(LabelAutoHeight, HeightFollowsTextAndWidth) {
    TLabelAutoHeight label;
    label.setWidth(80);
    const int oneLine = label.height();
    label.setText(kLongText);
    const int narrow = label.height();
    EXPECT_GT(narrow, 3 * oneLine);

    label.setWidth(400);
    EXPECT_LT(label.height(), narrow);
    EXPECT_GT(label.height(), oneLine);

    label.setText(QString());
    EXPECT_EQ(label.height(), oneLine);
}

TEST(LabelAutoHeight, ResizeOfShownLabelKeepsWidthAndRefitsHeight) {
    TLabelAutoHeight label;
    label.setText(kLongText);
    label.show();
    label.resize(80, 5);
    EXPECT_EQ(label.width(), 80);
    EXPECT_EQ(label.height(), label.heightForTextWidth(80));
    EXPECT_GT(label.height(), 5);
}

} // namespace
} // namespace qx
