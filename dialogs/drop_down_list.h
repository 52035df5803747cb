// A list-only drop-down list that opens as soon as the user types into it, so that a keyboard
// user sees the choices instead of changing the entry blindly.
#pragma once

#include <QComboBox>

namespace qx {

class DropDownList : public QComboBox {
    Q_OBJECT

public:
    explicit DropDownList(QWidget* parent = nullptr);

protected:
    // A printable character opens the list and moves its highlight to the first entry that
    // starts with it; the user then confirms with Enter or a click, or leaves with Esc.
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace qx
