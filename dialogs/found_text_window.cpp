#include "dialogs/found_text_window.h"

#include "dialogs/dialog_font.h"
#include "dialogs/form/review_forms_content.h"
#include "dialogs/label_auto_height.h"
#include "dialogs/table_builder.h"
#include "host/automation_contract.h"

#include <QResizeEvent>

namespace qx {
namespace {

// The window was designed with an outer size (a title bar without buttons) of 640 x 63 around
// this client area. The layout works in outer sizes, and Qt places the client area; these are
// the differences, so that the designed client area comes out as drawn.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 37;

} // namespace

TfmFoundText::TfmFoundText(QWidget* parent)
    : ReviewWindow(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                               Qt::WindowTitleHint) {
    setObjectName(QLatin1String(qx::automation::kFoundTextWindow));
    setFont(DialogFont());
    const form::ControlTable table = form::TfmFoundText::Table();
    resize(table.front().rect.width, table.front().rect.height);

    BuildControls(*this, table, {});
    lblFoundText = findChild<TLabelAutoHeight*>(QStringLiteral("lblFoundText"));
}

void TfmFoundText::fitLabels() {
    if (AdjustingHeight)
        return;
    const int left = lblFoundText->x();
    const int top = lblFoundText->y();
    lblFoundText->setWidth(width() + kFrameWidth - 3 * left);
    AdjustingHeight = true;
    resize(width(), lblFoundText->height() + 8 * top - kFrameHeight);
    AdjustingHeight = false;
}

void TfmFoundText::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fitLabels();
}

void TfmFoundText::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // Another font wraps the text differently. The dialog font itself arrives before the label
    // exists.
    const bool restyled =
        event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange;
    if (restyled && lblFoundText != nullptr)
        fitLabels();
}

} // namespace qx
