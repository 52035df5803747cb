#include "cadhost/window/screenshot.h"

#include "cadhost/window/host_window.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>

namespace cadhost::window {
namespace {

constexpr int kTitleBarHeight = 24;
constexpr int kShadow = 4;

void PaintTitleBar(QPainter& painter, const QRect& bar, const QString& title) {
    QLinearGradient fill(bar.topLeft(), bar.bottomLeft());
    fill.setColorAt(0, QColor(236, 238, 242));
    fill.setColorAt(1, QColor(214, 218, 226));
    painter.fillRect(bar, fill);
    painter.setPen(QColor(150, 154, 162));
    painter.drawLine(bar.bottomLeft(), bar.bottomRight());
    QFont font = QApplication::font();
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(40, 40, 48));
    painter.drawText(bar.adjusted(8, 0, -8, 0), Qt::AlignVCenter | Qt::AlignLeft,
                     painter.fontMetrics().elidedText(title, Qt::ElideRight, bar.width() - 16));
}

} // namespace

QImage ComposeScreenshot(HostWindow& window) {
    QApplication::processEvents();
    QImage picture = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QPainter painter(&picture);
    const QPoint origin = window.geometry().topLeft();
    for (QWidget* floating : window.FloatingWindows()) {
        const QImage content = floating->grab().toImage();
        const QRect client(floating->geometry().topLeft() - origin, floating->size());
        const QRect frame = client.adjusted(-1, -kTitleBarHeight - 1, 1, 1);
        painter.fillRect(frame.translated(kShadow, kShadow), QColor(0, 0, 0, 70));
        painter.fillRect(frame, QColor(120, 124, 132));
        PaintTitleBar(painter,
                      QRect(frame.left() + 1, frame.top() + 1, frame.width() - 2, kTitleBarHeight),
                      floating->windowTitle());
        painter.drawImage(client.topLeft(), content);
    }
    return picture;
}

} // namespace cadhost::window
