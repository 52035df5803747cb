#include "dialogs/design_layout.h"

#include "dialogs/axis_fit.h"
#include "dialogs/container_fit.h"
#include "dialogs/text_room.h"

#include <QEvent>
#include <QGroupBox>
#include <QPushButton>

#include <algorithm>

namespace qx {
namespace {

form::Edges EdgesOf(Qt::Edges edges) {
    form::Edges result = 0;
    if (edges.testFlag(Qt::LeftEdge))
        result |= form::kLeft;
    if (edges.testFlag(Qt::TopEdge))
        result |= form::kTop;
    if (edges.testFlag(Qt::RightEdge))
        result |= form::kRight;
    if (edges.testFlag(Qt::BottomEdge))
        result |= form::kBottom;
    return result;
}

fit::Anchor AnchorOf(Qt::Edges edges, Qt::Edge nearEdge, Qt::Edge farEdge) {
    const bool nearHeld = edges.testFlag(nearEdge);
    const bool farHeld = edges.testFlag(farEdge);
    if (nearHeld && farHeld)
        return fit::Anchor::Both;
    return farHeld ? fit::Anchor::Far : fit::Anchor::Near;
}

// One axis of a control placed for a change `delta` of its parent's length.
struct Segment {
    int start;
    int length;
};

Segment Follow(Segment fitted, int delta, fit::Anchor anchor) {
    switch (anchor) {
    case fit::Anchor::Both:
        return {fitted.start, fitted.length + delta};
    case fit::Anchor::Far:
        return {fitted.start + delta, fitted.length};
    case fit::Anchor::Near:
        break;
    }
    return fitted;
}

} // namespace

void DesignLayout::setAnchors(QWidget* control, Qt::Edges edges) {
    anchors_.insert(control, edges);
}

void DesignLayout::leaveOut(QWidget* control) {
    leftOut_.insert(control);
}

void DesignLayout::takeDesign(QWidget& window) {
    window_ = &window;
    designMinimum_ = window.minimumSize();
    designMaximum_ = window.maximumSize();
    lastFitted_ = window.size();
    containers_.clear();
    controls_.clear();
    containers_.push_back({&window, window.size(), window.size(), {}});
    collect(0);
    window.installEventFilter(this);
    fit();
}

void DesignLayout::collect(int container) {
    const QObjectList children = containers_[container].widget->children();
    for (QObject* object : children) {
        auto* widget = qobject_cast<QWidget*>(object);
        if (widget == nullptr || widget->isWindow() || leftOut_.contains(widget))
            continue;
        const int index = static_cast<int>(controls_.size());
        const Qt::Edges edges = anchors_.value(widget, Qt::LeftEdge | Qt::TopEdge);
        controls_.push_back({widget, container, widget->geometry(), edges, widget->geometry()});
        containers_[container].controls.push_back(index);
        if (qobject_cast<QGroupBox*>(widget) != nullptr) {
            containers_.push_back({widget, widget->size(), widget->size(), {}});
            collect(static_cast<int>(containers_.size()) - 1);
        }
    }
}

void DesignLayout::restoreDesign() {
    for (const Control& control : controls_)
        if (control.widget)
            control.widget->setGeometry(control.design);
    if (!window_ || containers_.empty())
        return;
    window_->setMinimumSize(designMinimum_);
    window_->setMaximumSize(designMaximum_);
    window_->resize(containers_.front().design);
}

std::vector<QSize> DesignLayout::leastSizes(const Container& container) const {
    std::vector<QSize> least;
    for (const int index : container.controls) {
        const Control& control = controls_[index];
        // A group box needs what its own controls need, which was fitted before it.
        const auto inner =
            std::find_if(containers_.begin(), containers_.end(),
                         [&](const Container& c) { return c.widget == control.widget; });
        least.push_back(inner != containers_.end() ? inner->fitted
                                                   : LeastTextSize(*control.widget));
    }
    return least;
}

// The controls are measured here, with Qt; the fitting itself knows no toolkit.
void DesignLayout::fitContainer(int index) {
    Container& container = containers_[index];
    if (!container.widget)
        return;
    QWidget& widget = *container.widget;
    const std::vector<QSize> least = leastSizes(container);
    const QMargins margins = widget.contentsMargins();
    const int titleWidth = index == 0 ? 0 : LeastTextSize(widget).width();

    std::vector<fit::ControlToFit> controls;
    for (std::size_t i = 0; i < container.controls.size(); ++i) {
        const Control& control = controls_[container.controls[i]];
        QWidget* measured = control.widget;
        const QRect& d = control.design;
        fit::ControlToFit row;
        row.design = {d.x(), d.y(), d.width(), d.height()};
        row.anchors = EdgesOf(control.edges);
        row.paints = PaintsTextOnly(*measured) ? fit::Paints::TextOnly : fit::Paints::WholeRect;
        row.least = {least[i].width(), least[i].height()};
        row.textSpacing = TextSpacing(*measured);
        row.isButton = qobject_cast<const QPushButton*>(measured) != nullptr;
        row.heightForWidth = [measured](int width) {
            return LeastHeightForWidth(*measured, width);
        };
        controls.push_back(std::move(row));
    }
    const fit::FittedContainer fitted =
        fit::FitContainer({{container.design.width(), container.design.height()},
                           margins.left(),
                           margins.top(),
                           titleWidth},
                          std::move(controls));

    container.fitted = {fitted.size.width, fitted.size.height};
    for (std::size_t i = 0; i < container.controls.size(); ++i) {
        const form::Rect& place = fitted.places[i];
        controls_[container.controls[i]].fitted =
            QRect(place.x, place.y, place.width, place.height);
    }
}

void DesignLayout::fit() {
    if (!window_ || containers_.empty())
        return;
    // Inner group boxes first: what they need is what their parent must give them.
    for (int index = static_cast<int>(containers_.size()) - 1; index >= 0; --index)
        fitContainer(index);
    resizeWindow(containers_.front().fitted - containers_.front().design);
}

void DesignLayout::resizeWindow(QSize growth) {
    QWidget& window = *window_;
    QSize least = designMinimum_;
    if (least.width() > 0)
        least.rwidth() += growth.width();
    if (least.height() > 0)
        least.rheight() += growth.height();
    QSize greatest = designMaximum_;
    if (greatest.width() < QWIDGETSIZE_MAX)
        greatest.rwidth() += growth.width();
    if (greatest.height() < QWIDGETSIZE_MAX)
        greatest.rheight() += growth.height();

    // The window keeps whatever the user added to its size, and grows by what the fit added.
    const QSize fitted = containers_.front().fitted;
    const QSize size = window.size() + (fitted - lastFitted_);
    lastFitted_ = fitted;
    leastWindow_ = least;
    window.setMinimumSize(0, 0);
    window.setMaximumSize(greatest);
    window.setMinimumSize(least);
    window.resize(size.expandedTo(least).boundedTo(greatest));
    // A window that is not shown gets its resize event only when it is shown.
    apply();
}

void DesignLayout::apply() const {
    for (const Control& control : controls_) {
        const Container& container = containers_[control.container];
        if (!control.widget || !container.widget)
            continue;
        const QSize delta = container.widget->size() - container.fitted;
        const QRect& f = control.fitted;
        const Segment x = Follow({f.x(), f.width()}, delta.width(),
                                 AnchorOf(control.edges, Qt::LeftEdge, Qt::RightEdge));
        const Segment y = Follow({f.y(), f.height()}, delta.height(),
                                 AnchorOf(control.edges, Qt::TopEdge, Qt::BottomEdge));
        control.widget->setGeometry(x.start, y.start, x.length, y.length);
    }
}

bool DesignLayout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_) {
        switch (event->type()) {
        case QEvent::Show:
            // Texts may have changed since the last fit; a show from being minimised does not
            // count.
            if (!event->spontaneous())
                fit();
            break;
        case QEvent::FontChange:
        case QEvent::StyleChange:
            fit();
            break;
        case QEvent::Resize:
            apply();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace qx
