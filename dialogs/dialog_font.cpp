#include "dialogs/dialog_font.h"

#include "dialogs/form/dialog_font_faces.h"

#include <QFontDatabase>
#include <QString>
#include <QStringList>

namespace qx {

QFont DialogFont() {
    const QStringList installed = QFontDatabase::families();
    for (const std::wstring_view face : form::kDialogFontFaces) {
        const QString family =
            QString::fromWCharArray(face.data(), static_cast<qsizetype>(face.size()));
        if (installed.contains(family, Qt::CaseInsensitive))
            return QFont(family, form::kDialogFontPoints);
    }
    QFont fallback;
    fallback.setPointSize(form::kDialogFontPoints);
    return fallback;
}

} // namespace qx
