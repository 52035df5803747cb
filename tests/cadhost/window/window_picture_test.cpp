// The picture the real cadhost makes of its window in the middle of a confirm-each run: the
// drawing in its layer's colour with the highlight box, the confirm window over it, the message
// lines and the labels of the key panel.
#include <QColor>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

// The view's background and the colour of the sample drawing's layers.
const QColor kBackground(24, 26, 32);
const QColor kLayerColour(70, 110, 255);
const QColor kHighlight(255, 255, 255);
const QColor kErrorLine(190, 30, 30);
constexpr int kPanelColumns = 10;

bool Near(QRgb pixel, const QColor& colour, int tolerance) {
    return std::abs(qRed(pixel) - colour.red()) <= tolerance &&
           std::abs(qGreen(pixel) - colour.green()) <= tolerance &&
           std::abs(qBlue(pixel) - colour.blue()) <= tolerance;
}

bool Dark(QRgb pixel) {
    return qGray(pixel) < 80;
}

int Count(const QImage& image, const QRect& area, const std::function<bool(int, int)>& test) {
    int n = 0;
    const QRect clipped = area.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            n += test(x, y) ? 1 : 0;
    }
    return n;
}

class WindowPicture : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        const QString file = dir_.filePath(QStringLiteral("window.png"));
        QProcess cadhost;
        cadhost.start(QStringLiteral(CADHOST),
                      {QStringLiteral("--screenshot"), file, QStringLiteral("--scenario"),
                       QStringLiteral(SCENARIO)});
        ASSERT_TRUE(cadhost.waitForFinished(120000));
        ASSERT_EQ(cadhost.exitCode(), 0) << cadhost.readAllStandardError().toStdString();
        ASSERT_TRUE(picture_.load(file));
        picture_ = picture_.convertToFormat(QImage::Format_RGB32);
        // The view is where its background is.
        QRect view;
        for (int y = 0; y < picture_.height(); ++y) {
            for (int x = 0; x < picture_.width(); ++x) {
                if (Near(picture_.pixel(x, y), kBackground, 0))
                    view |= QRect(x, y, 1, 1);
            }
        }
        view_ = view;
    }

    QRgb At(int x, int y) const { return picture_.pixel(x, y); }
    bool NextToBackground(int x, int y) const {
        for (const QPoint d : {QPoint(-2, 0), QPoint(2, 0), QPoint(0, -2), QPoint(0, 2)}) {
            const QPoint p(x + d.x(), y + d.y());
            if (picture_.rect().contains(p) && Near(At(p.x(), p.y()), kBackground, 0))
                return true;
        }
        return false;
    }

    QTemporaryDir dir_;
    QImage picture_;
    QRect view_;
};

TEST_F(WindowPicture, ShowsTheDrawingWithTheHighlightBoxAndTheConfirmWindow) {
    ASSERT_GT(view_.width(), picture_.width() / 2);
    ASSERT_GT(view_.height(), picture_.height() / 2);
    const int text =
        Count(picture_, view_, [&](int x, int y) { return Near(At(x, y), kLayerColour, 8); });
    EXPECT_GT(text, 500) << "texts in the layer's colour";
    const int box = Count(picture_, view_, [&](int x, int y) {
        return Near(At(x, y), kHighlight, 0) && NextToBackground(x, y);
    });
    EXPECT_GT(box, 150) << "the highlight box";
    const int window = Count(picture_, view_, [&](int x, int y) { return qGray(At(x, y)) > 200; });
    EXPECT_GT(window, 30000) << "the confirm window over the drawing";
}

TEST_F(WindowPicture, ShowsTheMessageLinesAndTheLabelsOfTheKeyPanel) {
    const QRect lines(0, view_.bottom() + 1, picture_.width() / 3, 50);
    EXPECT_GT(Count(picture_, lines, [&](int x, int y) { return Dark(At(x, y)); }), 200)
        << "the level and message lines";
    EXPECT_GT(Count(picture_, lines, [&](int x, int y) { return Near(At(x, y), kErrorLine, 30); }),
              20)
        << "the error line";

    // The panel: two rows of ten keys below the lines, above the status bar. During the review
    // F1 Yes, F2 No, F5 Yes to All and S0 No to All are labelled; F6 to F9 and S6 to S9 are not.
    const int top = view_.bottom() + 80;
    const int bottom = picture_.height() - 26;
    const int columnWidth = picture_.width() / kPanelColumns;
    const auto labelPixels = [&](int column) {
        return Count(picture_, QRect(column * columnWidth + 8, top, columnWidth - 16, bottom - top),
                     [&](int x, int y) { return Dark(At(x, y)); });
    };
    for (int column : {0, 1, 4, 9})
        EXPECT_GT(labelPixels(column), 30) << "column " << column + 1;
    for (int column : {5, 6, 7, 8})
        EXPECT_EQ(labelPixels(column), 0) << "column " << column + 1;
}

} // namespace
