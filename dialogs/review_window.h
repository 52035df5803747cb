// The Qt view's floating review window: the common base of the confirm and found-text windows,
// whose handle the state record keeps (dialogs/forms.h).
#pragma once

#include <QWidget>

namespace qx::forms {

class ReviewWindow : public QWidget {
public:
    using QWidget::QWidget;
};

} // namespace qx::forms
