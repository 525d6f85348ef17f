#include "access/RequestCellDelegate.h"

#include "access/RequestTableModel.h"

#include <QComboBox>
#include <QLineEdit>

namespace veldrin {
namespace {

const GridColumn* columnOf(const QModelIndex& index)
{
    const auto* model = qobject_cast<const RequestTableModel*>(index.model());
    return model ? &model->column(index.column()) : nullptr;
}

} // namespace

QWidget* RequestCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                           const QModelIndex& index) const
{
    const GridColumn* column = columnOf(index);
    if (!column || !column->cell)
        return nullptr;
    const auto* model = qobject_cast<const RequestTableModel*>(index.model());
    const QString name = model->headerData(index.column(), Qt::Horizontal, Qt::DisplayRole).toString();
    if (column->editor == CellEditor::List) {
        auto* list = new QComboBox(parent);
        list->setEditable(false);
        list->addItems(ListEntries(model->kind(), *column->cell));
        list->setMaxVisibleItems(16);
        list->setAccessibleName(name);
        return list;
    }
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (editor)
        editor->setAccessibleName(name);
    return editor;
}

void RequestCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    if (auto* list = qobject_cast<QComboBox*>(editor)) {
        // A text that is not an entry (read from a file) shows as no choice.
        list->setCurrentIndex(list->findText(index.data(Qt::EditRole).toString(), Qt::MatchExactly));
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void RequestCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                       const QModelIndex& index) const
{
    if (auto* list = qobject_cast<QComboBox*>(editor)) {
        // Leaving the list without a choice keeps what the cell held.
        if (list->currentIndex() >= 0)
            model->setData(index, list->currentText(), Qt::EditRole);
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

} // namespace veldrin
