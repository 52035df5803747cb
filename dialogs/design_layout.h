// The designed geometry of a dialog, kept as the least it gets. The dialogs place their
// controls in absolute pixels, as they were drawn for the dialog font; a text that needs more
// room in the font the user actually sees (another family, a larger size, a scaled display)
// grows its control, pushes the controls after it in its row or column just as far as needed,
// and grows its group box and window. Where every text fits, everything stays as drawn.
//
// It also keeps controls in place relative to the edges of their parent when the window is
// resized, as a form designer's anchors do: a control tied to both opposite edges stretches,
// one tied to the far edge only moves with it, one tied to the near edge keeps its place.
//
// Use: build the controls at their designed places, tie the ones that follow the edges with
// setAnchors, then takeDesign. From then on the layout watches the window: it fits the controls
// to their texts again when the window is shown or its font or style changes, and places them
// whenever the window is resized.
#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSet>
#include <QSize>
#include <QWidget>

#include <vector>

namespace qx {

class DesignLayout : public QObject {
    Q_OBJECT

public:
    // Ties a control to edges of its parent; untied controls keep to the left and top edges.
    void setAnchors(QWidget* control, Qt::Edges edges);
    void clearAnchors() { anchors_.clear(); }
    // Leaves a control to the window's own code, which sizes and places it.
    void leaveOut(QWidget* control);

    // Takes the window's present geometry, its size limits and every control's geometry as
    // designed, then fits the controls to their texts.
    void takeDesign(QWidget& window);
    // Puts every control and the window back as designed, so that a derived dialog can
    // re-arrange the controls before taking the design anew.
    void restoreDesign();

    // Sizes the controls for their texts from the design, and with them the window and its
    // size limits: the designed least and greatest sizes grow by as much as the design had to.
    void fit();
    // Places every control for its parent's present size.
    void apply() const;

    // The window's least size after the last fit.
    QSize leastWindowSize() const { return leastWindow_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Control {
        QPointer<QWidget> widget;
        int container;
        QRect design;
        Qt::Edges edges;
        // The fitted place, for the container's fitted size.
        QRect fitted;
    };
    // The window, and each group box in it, places its controls.
    struct Container {
        QPointer<QWidget> widget;
        QSize design;
        QSize fitted;
        std::vector<int> controls;
    };

    void collect(int container);
    void fitContainer(int container);
    std::vector<QSize> leastSizes(const Container& container) const;
    void resizeWindow(QSize growth);

    QPointer<QWidget> window_;
    QSize designMinimum_;
    QSize designMaximum_;
    QSize leastWindow_;
    // The window's fitted size after the last fit; the window grows by what the next fit adds.
    QSize lastFitted_;
    // Containers before the containers inside them; controls of a container before its inner
    // containers' controls.
    std::vector<Container> containers_;
    std::vector<Control> controls_;
    QHash<const QWidget*, Qt::Edges> anchors_;
    QSet<const QWidget*> leftOut_;
};

} // namespace qx
