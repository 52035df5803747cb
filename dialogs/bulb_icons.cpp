#include "dialogs/bulb_icons.h"

#include <QPainter>
#include <QPixmap>

#include <initializer_list>

namespace qx {
namespace {

constexpr int kIconSize = 16;

struct Bulb {
    int x;        // left edge of the glass
    int y;        // top edge of the glass
    int diameter; // of the glass
    QColor glass;
};

void DrawBulb(QPainter& painter, const Bulb& bulb) {
    painter.setPen(QColor(64, 64, 64));
    painter.setBrush(bulb.glass);
    painter.drawEllipse(bulb.x, bulb.y, bulb.diameter - 1, bulb.diameter - 1);
    // The screw base below the glass.
    const int baseWidth = bulb.diameter / 2;
    painter.setBrush(QColor(128, 128, 128));
    painter.drawRect(bulb.x + (bulb.diameter - baseWidth) / 2, bulb.y + bulb.diameter - 1,
                     baseWidth - 1, 2);
}

QIcon DrawBulbs(std::initializer_list<Bulb> bulbs) {
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const Bulb& bulb : bulbs)
        DrawBulb(painter, bulb);
    return QIcon(pixmap);
}

const QColor kGreenGlass(0, 200, 0);
const QColor kLitGlass(255, 230, 0);
const QColor kUnlitGlass(192, 192, 192);

} // namespace

QIcon ActiveBulbIcon() {
    return DrawBulbs({{3, 1, 10, kGreenGlass}});
}

QIcon LitBulbsIcon() {
    return DrawBulbs({{0, 1, 7, kLitGlass}, {9, 1, 7, kLitGlass}, {4, 7, 7, kLitGlass}});
}

QIcon LitAndUnlitBulbsIcon() {
    return DrawBulbs({{0, 1, 7, kLitGlass}, {9, 1, 7, kUnlitGlass}, {4, 7, 7, kLitGlass}});
}

} // namespace qx
