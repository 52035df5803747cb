#include "cadhost/exports/desktop_modal.h"

#include <QDialog>

namespace cadhost {

int RunModalOnDesktop(QDialog& dialog) {
    return dialog.exec();
}

} // namespace cadhost
