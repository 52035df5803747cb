#include "dialogs/dialog_font.h"

#include <QFontDatabase>
#include <QString>
#include <QStringList>

#include <array>

namespace qx {

QFont DialogFont() {
    constexpr int kPointSize = 9;
    static const std::array<QString, 4> kFamilies = {
        QStringLiteral("Segoe UI"), QStringLiteral("Selawik"),
        QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")};
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : kFamilies) {
        if (installed.contains(family, Qt::CaseInsensitive))
            return QFont(family, kPointSize);
    }
    QFont fallback;
    fallback.setPointSize(kPointSize);
    return fallback;
}

} // namespace qx
