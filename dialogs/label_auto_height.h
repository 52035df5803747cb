// A word-wrapping label whose height follows its text for the width it is given, so that texts
// of any length can be stacked one below the other.
#pragma once

#include <QLabel>

namespace qx {

class TLabelAutoHeight : public QLabel {
    Q_OBJECT

public:
    explicit TLabelAutoHeight(QWidget* parent = nullptr);

    // Shows the text and takes the height it needs at the present width. It hides
    // QLabel::setText, so call it through this class.
    void setText(const QString& text);
    // Takes a new width and at once the height the text needs there. Unlike a resize, this
    // holds for a window that is not shown yet, whose resize events Qt defers.
    void setWidth(int width);
    // The height the text needs at the given width; an empty label is one line high.
    int heightForTextWidth(int width) const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void fitHeight();
};

} // namespace qx
