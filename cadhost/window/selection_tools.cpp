#include "cadhost/window/selection_tools.h"

#include "cadhost/window/picking.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QVBoxLayout>

namespace cadhost::window {

void SelectionTools::SetMask(const SelectionMask& mask) {
    if (mask.text && mask.paragraphText && mask.multiLineText)
        mask_.reset();
    else
        mask_ = mask;
}

std::optional<SelectionAnswer> SelectionTools::PickAt(const Drawing& drawing, const point& at,
                                                      double tolerance) const {
    const lgl_addr hit = EntityAt(drawing, at, tolerance);
    if (IsNil(hit))
        return std::nullopt;
    if (tool_ == SelectionTool::Layer)
        return PickLayer(drawing, drawing.FindEntity(hit)->layer);
    return Answer({hit});
}

std::optional<SelectionAnswer> SelectionTools::PickArea(const Drawing& drawing,
                                                        const Extent& area) const {
    std::vector<lgl_addr> inside = EntitiesInside(drawing, area);
    if (inside.empty())
        return std::nullopt;
    return Answer(std::move(inside));
}

SelectionAnswer SelectionTools::PickLayer(const Drawing& drawing, lgl_addr layer) const {
    return Answer(EntitiesOnLayer(drawing, layer));
}

SelectionAnswer SelectionTools::PickAll(const Drawing& drawing) const {
    return Answer(VisibleEntities(drawing));
}

SelectionAnswer SelectionTools::Answer(std::vector<lgl_addr> entities) const {
    return SelectionAnswer{std::move(entities), mask_};
}

std::optional<SelectionMask> EditMask(const std::optional<SelectionMask>& current,
                                      QWidget* parent) {
    const SelectionMask shown = current.value_or(SelectionMask{});
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("selectionMask"));
    dialog.setWindowTitle(QStringLiteral("Selection Mask"));
    auto* text = new QCheckBox(QStringLiteral("Text"), &dialog);
    auto* paragraph = new QCheckBox(QStringLiteral("Paragraph text"), &dialog);
    auto* multiLine = new QCheckBox(QStringLiteral("Multi-line text"), &dialog);
    text->setObjectName(QStringLiteral("maskText"));
    paragraph->setObjectName(QStringLiteral("maskParagraphText"));
    multiLine->setObjectName(QStringLiteral("maskMultiLineText"));
    text->setChecked(shown.text);
    paragraph->setChecked(shown.paragraphText);
    multiLine->setChecked(shown.multiLineText);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* column = new QVBoxLayout(&dialog);
    column->addWidget(text);
    column->addWidget(paragraph);
    column->addWidget(multiLine);
    column->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return SelectionMask{text->isChecked(), paragraph->isChecked(), multiLine->isChecked()};
}

} // namespace cadhost::window
