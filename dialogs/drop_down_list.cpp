#include "dialogs/drop_down_list.h"

#include <QAbstractItemView>
#include <QKeyEvent>

namespace qx {

DropDownList::DropDownList(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
}

void DropDownList::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->text();
    const bool isCharacter =
        !typed.isEmpty() && typed.front().isPrint() && !typed.front().isSpace();
    if (!isCharacter || event->modifiers().testAnyFlags(Qt::ControlModifier | Qt::AltModifier)) {
        QComboBox::keyPressEvent(event);
        return;
    }
    showPopup();
    view()->keyboardSearch(typed);
    event->accept();
}

} // namespace qx
