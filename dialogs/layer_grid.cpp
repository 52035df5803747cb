#include "dialogs/layer_grid.h"

#include "dialogs/form/layer_row_look.h"
#include "host/codepage.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include <cstddef>

namespace qx {
namespace {

QColor ToColor(const form::Rgb& rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

class LayerRowDelegate : public QStyledItemDelegate {
public:
    LayerRowDelegate(const LayerDetailList& rows, QObject* parent)
        : QStyledItemDelegate(parent), rows_(rows) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const auto row = static_cast<std::size_t>(index.row());
        if (index.row() < 0 || row >= rows_.size())
            return;
        const auto* view = qobject_cast<const QWidget*>(option.widget);
        const QFont base = view != nullptr ? view->font() : option.font;
        const LayerRowLook look = LookOfLayerRow(rows_[row], option.palette, base);
        painter->save();
        painter->fillRect(option.rect, look.background);
        painter->setClipRect(option.rect);
        painter->setFont(look.font);
        painter->setPen(look.text);
        const QRect textRect = option.rect.adjusted(2, 0, -2, 0);
        painter->drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                          QString::fromStdString(host::Cp1252ToUtf8(rows_[row].name)));
        painter->restore();
        if ((option.state & QStyle::State_HasFocus) == 0 || view == nullptr)
            return;
        QStyleOptionFocusRect frame;
        frame.initFrom(view);
        frame.rect = option.rect;
        frame.backgroundColor = look.background;
        view->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, painter, view);
    }

private:
    const LayerDetailList& rows_;
};

bool Held(const QInputEvent& event, Qt::KeyboardModifier modifier) {
    return event.modifiers().testFlag(modifier);
}

} // namespace

LayerRowLook LookOfLayerRow(const LyrDtl& row, const QPalette& palette, const QFont& base) {
    const form::LayerRowLook rule = form::LookOfLayerRow(row);
    LayerRowLook look;
    look.font = base;
    look.font.setBold(rule.bold);
    look.font.setUnderline(rule.underline);
    look.font.setStrikeOut(rule.strikeOut);
    look.background = rule.highlighted ? palette.color(QPalette::Active, QPalette::Highlight)
                                       : ToColor(form::kRowBackground);
    if (const form::Rgb* ink = form::FixedInk(rule))
        look.text = ToColor(*ink);
    else if (rule.highlighted)
        look.text = palette.color(QPalette::Active, QPalette::HighlightedText);
    else
        // The plain text colour of a window, which reads well on the white background.
        look.text = palette.color(QPalette::Active, QPalette::WindowText);
    return look;
}

LayerGrid::LayerGrid(LayerDetailList& rows, QWidget* parent) : QTableWidget(parent), rows_(rows) {
    setColumnCount(1);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setShowGrid(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab leaves the grid for the next control.
    setTabKeyNavigation(false);
    setItemDelegate(new LayerRowDelegate(rows_, this));
}

void LayerGrid::resetRows(int rowHeight) {
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(rowHeight);
    setRowCount(static_cast<int>(rows_.size()));
}

int LayerGrid::currentRowIndex() const {
    if (rows_.empty())
        return kNoRow;
    return currentIndex().isValid() ? currentIndex().row() : 0;
}

void LayerGrid::setCurrentRowIndex(int row) {
    if (row < 0 || row >= rowCount())
        return;
    setCurrentIndex(model()->index(row, 0));
}

void LayerGrid::applyChoice(int (*choice)(LayerDetailList&, int)) {
    setCurrentRowIndex(choice(rows_, currentRowIndex()));
    repaintRows();
}

void LayerGrid::repaintRows() {
    viewport()->update();
}

void LayerGrid::keyPressEvent(QKeyEvent* event) {
    const bool ctrl = Held(*event, Qt::ControlModifier);
    const bool shift = Held(*event, Qt::ShiftModifier);
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        // These belong to the dialog: OK, Cancel and the next control.
        QWidget::keyPressEvent(event);
        return;
    case Qt::Key_Space:
        ToggleCurrentRow(rows_, currentRowIndex(), ctrl);
        break;
    case Qt::Key_Up:
        setCurrentRowIndex(StepCurrentRow(rows_, currentRowIndex(), -1, ctrl, shift));
        break;
    case Qt::Key_Down:
        setCurrentRowIndex(StepCurrentRow(rows_, currentRowIndex(), 1, ctrl, shift));
        break;
    case Qt::Key_A:
        setCurrentRowIndex(SelectUnlockedLayers(rows_, currentRowIndex()));
        break;
    case Qt::Key_C:
        setCurrentRowIndex(ClearLayerSelection(rows_, currentRowIndex()));
        break;
    case Qt::Key_O:
        setCurrentRowIndex(SelectUnlockedOnLayers(rows_, currentRowIndex()));
        break;
    case Qt::Key_V:
        setCurrentRowIndex(SelectActiveOnly(rows_, currentRowIndex()));
        break;
    default:
        // Every other key is the grid's and does nothing, so the view's own paging and
        // searching never move the current row.
        break;
    }
    event->accept();
    repaintRows();
}

void LayerGrid::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    const int clicked = rowAt(event->position().toPoint().y());
    const bool ctrl = Held(*event, Qt::ControlModifier);
    const bool shift = Held(*event, Qt::ShiftModifier);
    setCurrentRowIndex(ClickRow(rows_, currentRowIndex(), clicked, ctrl, shift));
    repaintRows();
}

void LayerGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click is a click like the first.
    mousePressEvent(event);
}

void LayerGrid::mouseMoveEvent(QMouseEvent* event) {
    // Dragging does not choose layers.
    event->accept();
}

} // namespace qx
