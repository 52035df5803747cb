// Keeps controls in place relative to the edges of their parent when a dialog is resized, as a
// form designer's anchors do: a control tied to both opposite edges stretches, one tied to the
// far edge only moves with it, and one tied to the near edge only keeps its place.
#pragma once

#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <vector>

namespace qx {

class AnchorSet {
public:
    // Takes the widget's present geometry and its parent's present size as the design state.
    // Add parents before their children: apply() places them in the order added.
    void add(QWidget* widget, Qt::Edges edges);

    // Forgets every widget, so that a derived dialog can lay out the controls anew.
    void clear() { entries_.clear(); }

    // Places every widget for its parent's present size.
    void apply() const;

private:
    struct Entry {
        QPointer<QWidget> widget;
        QRect design;
        QSize parentDesign;
        Qt::Edges edges;
    };
    std::vector<Entry> entries_;
};

} // namespace qx
