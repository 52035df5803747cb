// The designed geometry of a small dialog kept as the least: as drawn where the texts fit,
// grown where they do not, and following the window's edges when it is resized.
#include "dialogs/design_layout.h"
#include "dialogs/dialog_font.h"

#include <QCheckBox>
#include <QDialog>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

namespace qx {
namespace {

const QString kLongCaption = QStringLiteral("A caption much longer than the box was drawn for");

// A group box with two check boxes in a row, and two buttons drawn alike, tied to the bottom
// right corner.
class DesignLayoutTest : public testing::Test {
protected:
    DesignLayoutTest() {
        window.setFont(DialogFont());
        window.resize(300, 120);
        window.setMinimumSize(300, 120);
        group = Make<QGroupBox>("group", &window, {8, 8, 284, 60});
        group->setTitle(QStringLiteral("Options"));
        first = Make<QCheckBox>("first", group, {10, 25, 80, 17});
        first->setText(QStringLiteral("First"));
        second = Make<QCheckBox>("second", group, {150, 25, 80, 17});
        second->setText(QStringLiteral("Second"));
        cancel = Make<QPushButton>("cancel", &window, {136, 84, 75, 25});
        cancel->setText(QStringLiteral("Cancel"));
        ok = Make<QPushButton>("ok", &window, {217, 84, 75, 25});
        ok->setText(QStringLiteral("OK"));
        note = Make<QLabel>("note", &window, {8, 70, 100, 12});
        note->setText(QStringLiteral("Placed by hand"));

        layout.setAnchors(group, Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge);
        layout.setAnchors(cancel, Qt::RightEdge | Qt::BottomEdge);
        layout.setAnchors(ok, Qt::RightEdge | Qt::BottomEdge);
        layout.leaveOut(note);
        layout.takeDesign(window);
    }

    template <typename Widget> Widget* Make(const char* name, QWidget* parent, QRect geometry) {
        auto* widget = new Widget(parent);
        widget->setObjectName(QString::fromLatin1(name));
        widget->setGeometry(geometry);
        return widget;
    }

    int RightMargin(const QWidget& widget) const {
        return widget.parentWidget()->width() - (widget.x() + widget.width());
    }

    QDialog window;
    QGroupBox* group;
    QCheckBox* first;
    QCheckBox* second;
    QPushButton* cancel;
    QPushButton* ok;
    QLabel* note;
    // Declared after the window, so that it goes first.
    DesignLayout layout;
};

TEST_F(DesignLayoutTest, WhereTheTextsFitEverythingIsAsDrawn) {
    EXPECT_EQ(window.size(), QSize(300, 120));
    EXPECT_EQ(window.minimumSize(), QSize(300, 120));
    EXPECT_EQ(group->geometry(), QRect(8, 8, 284, 60));
    EXPECT_EQ(first->geometry(), QRect(10, 25, 80, 17));
    EXPECT_EQ(second->geometry(), QRect(150, 25, 80, 17));
    EXPECT_EQ(cancel->geometry(), QRect(136, 84, 75, 25));
    EXPECT_EQ(ok->geometry(), QRect(217, 84, 75, 25));
}

TEST_F(DesignLayoutTest, ALongCaptionGrowsItsBoxPushesItsRowAndWidensTheWindow) {
    first->setText(kLongCaption);
    layout.fit();

    const int caption = first->fontMetrics().horizontalAdvance(kLongCaption);
    EXPECT_GT(first->width(), caption);
    EXPECT_GT(second->x(), first->x() + first->width()) << "pushed just past the grown box";
    EXPECT_EQ(second->width(), 80);
    const int growth = window.width() - 300;
    EXPECT_GT(growth, 0);
    EXPECT_EQ(window.minimumWidth(), 300 + growth);
    EXPECT_EQ(group->width(), 284 + growth);
    EXPECT_LE(second->x() + second->width(), group->width());
    // The buttons keep to the right edge; nothing grew downwards.
    EXPECT_EQ(RightMargin(*ok), 8);
    EXPECT_EQ(ok->y(), 84);
    EXPECT_EQ(window.height(), 120);

    // Back to a short caption, the design returns.
    first->setText(QStringLiteral("First"));
    layout.fit();
    EXPECT_EQ(window.size(), QSize(300, 120));
    EXPECT_EQ(second->geometry(), QRect(150, 25, 80, 17));
}

TEST_F(DesignLayoutTest, TheWindowKeepsWhatTheUserAddedAndControlsFollowItsEdges) {
    window.show();
    window.resize(400, 150);
    EXPECT_EQ(group->width(), 384) << "stretches with the window";
    EXPECT_EQ(ok->geometry(), QRect(317, 114, 75, 25)) << "follows the bottom right corner";
    EXPECT_EQ(first->geometry(), QRect(10, 25, 80, 17));

    first->setText(kLongCaption);
    layout.fit();
    const int growth = window.minimumWidth() - 300;
    EXPECT_EQ(window.size(), QSize(400 + growth, 150));
    EXPECT_EQ(RightMargin(*ok), 8);
}

TEST_F(DesignLayoutTest, ButtonsDrawnAlikeGrowAlikeTowardsTheirFreeSide) {
    ok->setText(QStringLiteral("Process Everything Now"));
    layout.fit();
    EXPECT_GT(ok->width(), 75);
    EXPECT_EQ(cancel->width(), ok->width());
    EXPECT_EQ(RightMargin(*ok), 8);
    EXPECT_EQ(ok->x() - (cancel->x() + cancel->width()), 6) << "the designed distance";
    EXPECT_EQ(window.width(), 300) << "the buttons grew into the free room on their left";
}

TEST_F(DesignLayoutTest, ALargerFontGrowsTheTitleRoomAndTheRowsBelowIt) {
    QFont large = window.font();
    large.setPointSizeF(large.pointSizeF() * 2.5);
    window.setFont(large);

    const QFontMetrics metrics(large);
    EXPECT_GE(first->y(), group->contentsMargins().top()) << "below the group's title";
    EXPECT_GE(first->height(), metrics.height());
    EXPECT_GE(group->height(), first->y() + first->height());
    EXPECT_GT(window.height(), 120);
    EXPECT_GE(ok->y(), group->y() + group->height());
    EXPECT_GE(ok->height(), metrics.height());
}

TEST_F(DesignLayoutTest, AControlLeftOutIsLeftWhereItsOwnerPutIt) {
    note->setGeometry(20, 72, 40, 10);
    first->setText(kLongCaption);
    layout.fit();
    window.resize(500, 200);
    layout.apply();
    EXPECT_EQ(note->geometry(), QRect(20, 72, 40, 10));
}

} // namespace
} // namespace qx
