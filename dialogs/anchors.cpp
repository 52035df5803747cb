#include "dialogs/anchors.h"

namespace qx {
namespace {

// One axis: the start and length of a control for a change `delta` of its parent's length.
struct Span {
    int start;
    int length;
};

Span Anchor(Span design, int delta, bool nearEdge, bool farEdge) {
    if (nearEdge && farEdge)
        return {design.start, design.length + delta};
    if (farEdge)
        return {design.start + delta, design.length};
    return design;
}

} // namespace

void AnchorSet::add(QWidget* widget, Qt::Edges edges) {
    QWidget* parent = widget->parentWidget();
    entries_.push_back({widget, widget->geometry(), parent ? parent->size() : QSize(), edges});
}

void AnchorSet::apply() const {
    for (const Entry& entry : entries_) {
        if (entry.widget.isNull() || entry.widget->parentWidget() == nullptr)
            continue;
        const QSize delta = entry.widget->parentWidget()->size() - entry.parentDesign;
        const Span x =
            Anchor({entry.design.x(), entry.design.width()}, delta.width(),
                   entry.edges.testFlag(Qt::LeftEdge), entry.edges.testFlag(Qt::RightEdge));
        const Span y =
            Anchor({entry.design.y(), entry.design.height()}, delta.height(),
                   entry.edges.testFlag(Qt::TopEdge), entry.edges.testFlag(Qt::BottomEdge));
        entry.widget->setGeometry(x.start, y.start, x.length, y.length);
    }
}

} // namespace qx
