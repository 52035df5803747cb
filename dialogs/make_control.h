// Creating a dialog's control at its designed place, named so that tests and scenarios can
// find it.
#pragma once

#include <QRect>
#include <QString>
#include <QWidget>

namespace qx {

template <typename Widget> Widget* MakeControl(QWidget* parent, const char* name, QRect geometry) {
    auto* widget = new Widget(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

} // namespace qx
