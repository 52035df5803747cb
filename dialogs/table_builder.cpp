#include "dialogs/table_builder.h"

#include "dialogs/design_layout.h"
#include "dialogs/drop_down_list.h"
#include "dialogs/label_auto_height.h"
#include "dialogs/whole_number_spin_field.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>

#include <algorithm>

namespace qx {
namespace {

QString Q(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QWidget* Make(const form::ControlSpec& row, QWidget* parent) {
    const QString caption = Q(row.caption);
    switch (row.kind) {
    case form::Kind::GroupBox:
        return new QGroupBox(caption, parent);
    case form::Kind::WrapLabel:
        // Drawn with a width and no height: the height follows the text.
        if (row.rect.height == 0 && row.rect.width > 0) {
            auto* label = new TLabelAutoHeight(parent);
            label->setText(caption);
            return label;
        }
        [[fallthrough]];
    case form::Kind::Label: {
        auto* label = new QLabel(caption, parent);
        label->setWordWrap(row.kind == form::Kind::WrapLabel);
        return label;
    }
    case form::Kind::Edit: {
        auto* field = new QLineEdit(parent);
        if (row.maxLength > 0)
            field->setMaxLength(row.maxLength);
        return field;
    }
    case form::Kind::CheckBox:
        return new QCheckBox(caption, parent);
    case form::Kind::RadioButton:
        return new QRadioButton(caption, parent);
    case form::Kind::DropDownList: {
        auto* list = new DropDownList(parent);
        for (const std::string_view item : row.items)
            list->addItem(Q(item));
        return list;
    }
    case form::Kind::ListBox: {
        auto* list = new QListWidget(parent);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        for (const std::string_view item : row.items)
            list->addItem(Q(item));
        return list;
    }
    case form::Kind::SpinEdit:
        return new WholeNumberSpinField(parent);
    case form::Kind::ScrollBox: {
        // The window's own code lays out what it scrolls over; the builder only puts the rows
        // whose parent it is on the area's content.
        auto* area = new QScrollArea(parent);
        area->setFrameShape(QFrame::NoFrame);
        area->setWidgetResizable(false);
        area->setWidget(new QWidget);
        return area;
    }
    case form::Kind::Button: {
        auto* button = new QPushButton(caption, parent);
        button->setDefault(row.role == form::Role::Default);
        return button;
    }
    default:
        return nullptr;
    }
}

void SetCaption(QWidget& control, const form::ControlSpec& row) {
    if (row.caption.empty())
        return;
    if (auto* button = qobject_cast<QAbstractButton*>(&control))
        button->setText(Q(row.caption));
    else if (auto* group = qobject_cast<QGroupBox*>(&control))
        group->setTitle(Q(row.caption));
    else if (auto* label = qobject_cast<QLabel*>(&control))
        label->setText(Q(row.caption));
}

} // namespace

void BuildControls(QWidget& window, form::ControlTable table, form::TabOrder tabs) {
    for (const form::ControlSpec& row : table) {
        if (row.parent.empty())
            continue;
        QWidget* parent =
            row.parent == table.front().name ? &window : window.findChild<QWidget*>(Q(row.parent));
        if (parent == nullptr)
            continue;
        if (auto* area = qobject_cast<QScrollArea*>(parent); area != nullptr && area->widget())
            parent = area->widget();
        // A control the window already has (one a dialog inherits from another) takes the
        // row's place and caption.
        QWidget* control = window.findChild<QWidget*>(Q(row.name));
        if (control != nullptr) {
            SetCaption(*control, row);
        } else {
            control = Make(row, parent);
            if (control == nullptr)
                continue;
            control->setObjectName(Q(row.name));
        }
        // A label drawn without a size takes the size of its caption.
        if (row.rect.width == 0 && row.rect.height == 0) {
            control->move(row.rect.x, row.rect.y);
            control->adjustSize();
        } else if (auto* autoHeight = qobject_cast<TLabelAutoHeight*>(control)) {
            autoHeight->move(row.rect.x, row.rect.y);
            autoHeight->setWidth(row.rect.width);
        } else {
            control->setGeometry(row.rect.x, row.rect.y, row.rect.width, row.rect.height);
        }
        if (row.kind == form::Kind::CheckBox && std::ranges::find(tabs, row.name) == tabs.end())
            control->setFocusPolicy(Qt::ClickFocus);
    }
}

void AnchorFromTable(DesignLayout& layout, QWidget& window, form::ControlTable table) {
    for (const form::ControlSpec& row : table) {
        if (row.parent.empty() || row.anchors == form::kNearEdges)
            continue;
        auto* control = window.findChild<QWidget*>(Q(row.name));
        if (control == nullptr)
            continue;
        Qt::Edges edges;
        if ((row.anchors & form::kLeft) != 0)
            edges |= Qt::LeftEdge;
        if ((row.anchors & form::kTop) != 0)
            edges |= Qt::TopEdge;
        if ((row.anchors & form::kRight) != 0)
            edges |= Qt::RightEdge;
        if ((row.anchors & form::kBottom) != 0)
            edges |= Qt::BottomEdge;
        layout.setAnchors(control, edges);
    }
}

void OrderTabs(QWidget& window, form::TabOrder tabs) {
    QWidget* previous = nullptr;
    for (const std::string_view name : tabs) {
        auto* control = window.findChild<QWidget*>(Q(name));
        if (control == nullptr)
            continue;
        if (previous != nullptr)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

} // namespace qx
