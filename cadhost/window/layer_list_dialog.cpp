#include "cadhost/window/layer_list_dialog.h"

#include "cadhost/window/look.h"
#include "host/codepage.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QInputDialog>
#include <QPixmap>
#include <QTableWidget>
#include <QVBoxLayout>

namespace cadhost::window {
namespace {

enum Column { kName, kOn, kLocked, kColumns };

QString Q(const std::string& cp1252) {
    return QString::fromStdString(qx::host::Cp1252ToUtf8(cp1252));
}

QTableWidgetItem* CheckItem(bool checked) {
    auto* item = new QTableWidgetItem;
    item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
    item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    return item;
}

QIcon ColourIcon(std::int32_t colour) {
    QPixmap swatch(12, 12);
    swatch.fill(PaletteColour(colour));
    return QIcon(swatch);
}

} // namespace

LayerListDialog::LayerListDialog(const Drawing& drawing, QWidget* parent)
    : QDialog(parent), table_(new QTableWidget(this)) {
    setObjectName(QStringLiteral("layerList"));
    setWindowTitle(QStringLiteral("Layers"));
    const auto& layers = drawing.Layers();
    table_->setObjectName(QStringLiteral("layerTable"));
    table_->setColumnCount(kColumns);
    table_->setRowCount(static_cast<int>(layers.size()));
    table_->setHorizontalHeaderLabels(
        {QStringLiteral("Layer"), QStringLiteral("On"), QStringLiteral("Locked")});
    table_->verticalHeader()->hide();
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    for (int row = 0; row < table_->rowCount(); ++row) {
        const Layer& layer = layers[static_cast<std::size_t>(row)];
        auto* name = new QTableWidgetItem(ColourIcon(layer.color), Q(layer.name));
        name->setFlags(Qt::ItemIsEnabled);
        table_->setItem(row, kName, name);
        table_->setItem(row, kOn, CheckItem(layer.on));
        table_->setItem(row, kLocked, CheckItem(layer.locked));
    }
    table_->horizontalHeader()->setSectionResizeMode(kName, QHeaderView::Stretch);
    table_->resizeColumnToContents(kOn);
    table_->resizeColumnToContents(kLocked);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* column = new QVBoxLayout(this);
    column->addWidget(table_);
    column->addWidget(buttons);
    resize(340, 300);
}

bool LayerListDialog::ApplyTo(Drawing& drawing) const {
    bool changed = false;
    const auto& layers = drawing.Layers();
    for (int row = 0; row < table_->rowCount() && row < static_cast<int>(layers.size()); ++row) {
        Layer* layer = drawing.FindLayer(layers[static_cast<std::size_t>(row)].addr);
        const bool on = table_->item(row, kOn)->checkState() == Qt::Checked;
        const bool locked = table_->item(row, kLocked)->checkState() == Qt::Checked;
        changed = changed || layer->on != on || layer->locked != locked;
        layer->on = on;
        layer->locked = locked;
    }
    return changed;
}

lgl_addr ChooseLayer(const Drawing& drawing, QWidget* parent) {
    QStringList names;
    std::vector<lgl_addr> addrs;
    for (const Layer& layer : drawing.Layers()) {
        if (!layer.on)
            continue;
        names << Q(layer.name);
        addrs.push_back(layer.addr);
    }
    if (names.isEmpty())
        return {};
    QInputDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("layerChooser"));
    dialog.setWindowTitle(QStringLiteral("Select Layer"));
    dialog.setLabelText(QStringLiteral("Pick every entity on the layer:"));
    dialog.setComboBoxItems(names);
    dialog.setComboBoxEditable(false);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QString chosen = dialog.textValue();
    return addrs[static_cast<std::size_t>(names.indexOf(chosen))];
}

} // namespace cadhost::window
