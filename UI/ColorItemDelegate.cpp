#include "UI/ColorItemDelegate.h"

#include <QColorDialog>
#include <QPainter>

namespace Ui {

QWidget *ColorItemDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &) const
{
    auto *chooser = new QColorDialog(parent);
    // A chooser is a window of its own, not a widget squeezed into the cell.
    chooser->setWindowFlags(Qt::Dialog);
    chooser->setWindowModality(Qt::ApplicationModal);
    chooser->setOption(QColorDialog::ShowAlphaChannel, true);
    connect(chooser, &QColorDialog::finished, this, [this, chooser] {
        auto *self = const_cast<ColorItemDelegate *>(this);
        emit self->commitData(chooser);
        emit self->closeEditor(chooser);
    });
    return chooser;
}

void ColorItemDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *chooser = qobject_cast<QColorDialog *>(editor))
        chooser->setCurrentColor(index.data(Qt::DisplayRole).value<QColor>());
}

void ColorItemDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    auto *chooser = qobject_cast<QColorDialog *>(editor);
    if (!chooser || chooser->result() != QDialog::Accepted)
        return;
    const QColor colour = chooser->selectedColor().isValid() ? chooser->selectedColor() : chooser->currentColor();
    model->setData(index, colour, Qt::EditRole);
}

void ColorItemDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &, const QModelIndex &) const
{
    editor->adjustSize();
}

void ColorItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QColor colour = index.data(Qt::DisplayRole).value<QColor>();
    drawBackground(painter, option, index);
    painter->fillRect(option.rect.adjusted(2, 2, -2, -2), colour);
    drawFocus(painter, option, option.rect);
}

} // namespace Ui
