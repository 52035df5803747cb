#include "dialogs/bulb_icons.h"

#include "dialogs/form/bulb_shapes.h"

#include <QPainter>
#include <QPixmap>

namespace qx {
namespace {

QColor ToColor(const form::Rgb& rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

void DrawBulb(QPainter& painter, const form::Bulb& bulb) {
    painter.setPen(ToColor(form::kBulbOutline));
    painter.setBrush(ToColor(bulb.glass));
    painter.drawEllipse(bulb.x, bulb.y, bulb.diameter - 1, bulb.diameter - 1);
    // The screw base below the glass.
    const int baseWidth = form::BulbBaseWidth(bulb);
    painter.setBrush(ToColor(form::kBulbBase));
    painter.drawRect(bulb.x + (bulb.diameter - baseWidth) / 2, bulb.y + bulb.diameter - 1,
                     baseWidth - 1, 2);
}

QIcon DrawBulbs(std::span<const form::Bulb> bulbs) {
    QPixmap pixmap(form::kBulbPictureSize, form::kBulbPictureSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const form::Bulb& bulb : bulbs)
        DrawBulb(painter, bulb);
    return QIcon(pixmap);
}

} // namespace

QIcon ActiveBulbIcon() {
    return DrawBulbs(form::kActiveBulb);
}

QIcon LitBulbsIcon() {
    return DrawBulbs(form::kLitBulbs);
}

QIcon LitAndUnlitBulbsIcon() {
    return DrawBulbs(form::kLitAndUnlitBulbs);
}

} // namespace qx
