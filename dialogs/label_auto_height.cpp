#include "dialogs/label_auto_height.h"

#include <QEvent>
#include <QResizeEvent>

#include <algorithm>

namespace qx {

TLabelAutoHeight::TLabelAutoHeight(QWidget* parent) : QLabel(parent) {
    setWordWrap(true);
    // Texts from the drawing are shown as they are, never read as markup.
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    fitHeight();
}

void TLabelAutoHeight::setText(const QString& text) {
    QLabel::setText(text);
    fitHeight();
}

void TLabelAutoHeight::setWidth(int width) {
    resize(width, heightForTextWidth(width));
}

int TLabelAutoHeight::heightForTextWidth(int width) const {
    const QMargins margins = contentsMargins();
    const int oneLine = fontMetrics().height() + margins.top() + margins.bottom() + 2 * margin();
    // QLabel measures an empty text as nothing at all; the label still keeps a line's room so
    // that whatever is stacked below it does not move up when the text is cleared.
    if (text().isEmpty())
        return oneLine;
    return std::max(oneLine, heightForWidth(width));
}

void TLabelAutoHeight::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    // A new height with the same width lands here again and then finds nothing to change.
    fitHeight();
}

void TLabelAutoHeight::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitHeight();
}

void TLabelAutoHeight::fitHeight() {
    const int wanted = heightForTextWidth(width());
    if (wanted != height())
        resize(width(), wanted);
}

} // namespace qx
