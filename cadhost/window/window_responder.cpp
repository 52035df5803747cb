#include "cadhost/window/window_responder.h"

#include "cadhost/window/macro_session.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QMessageBox>
#include <QUrl>

namespace cadhost::window {
namespace {

using qx::host::BoxAnswer;
using qx::host::BoxKind;

QString Q(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QMessageBox::Icon IconOf(BoxKind kind) {
    switch (kind) {
    case BoxKind::Error:
        return QMessageBox::Critical;
    case BoxKind::Information:
        return QMessageBox::Information;
    case BoxKind::Warning:
        return QMessageBox::Warning;
    case BoxKind::Confirmation:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

BoxAnswer WindowResponder::ShowMessageBox(BoxKind kind, const std::string& caption,
                                          const std::string& text, bool defaultNo) {
    QMessageBox box(IconOf(kind), Q(caption), Q(text), QMessageBox::NoButton, &mainWindow_);
    box.setObjectName(QStringLiteral("macroMessageBox"));
    if (kind != BoxKind::Confirmation) {
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return BoxAnswer::Ok;
    }
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(defaultNo ? QMessageBox::No : QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes ? BoxAnswer::Yes : BoxAnswer::No;
}

void WindowResponder::Beep() {
    QApplication::beep();
}

int WindowResponder::RunModal(QDialog& dialog) {
    // A dialog the macro has not placed from its memory opens over the middle of the window.
    if (!dialog.testAttribute(Qt::WA_Moved)) {
        const QRect frame = mainWindow_.frameGeometry();
        dialog.move(frame.center() - QPoint(dialog.width() / 2, dialog.height() / 2));
    }
    return dialog.exec();
}

bool WindowResponder::OpenDocument(const std::string& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(Q(path)));
}

void WindowResponder::SendKey(std::int32_t key) {
    session_.SubmitLater(KeyAnswer{key});
}

} // namespace cadhost::window
