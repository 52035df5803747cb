// The floating window of find-only browsing: the text of the match on show, with its layer in
// the title. It stays on top of the host's window without being modal and lives for the whole
// browsing; the controller refills it for every match.
//
// Geometry is absolute, in pixels at design size: the client area is 624 x 26. The window's
// height follows its text (fitLabels); only the width is the user's.
#pragma once

#include "dialogs/review_window.h"

namespace qx {

class TLabelAutoHeight;

class TfmFoundText : public forms::ReviewWindow {
    Q_OBJECT

public:
    explicit TfmFoundText(QWidget* parent = nullptr);

    // Wraps the text to the present width and makes the window just tall enough for it. Runs on
    // every resize; the controller calls it after filling the window.
    void fitLabels();

    // True while fitLabels sets the window's height, so that the resize it causes is ignored.
    bool AdjustingHeight = false;

    TLabelAutoHeight* lblFoundText = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
};

} // namespace qx
