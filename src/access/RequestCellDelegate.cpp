#include "access/RequestCellDelegate.h"

#include "access/RequestTableModel.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>

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

bool RequestCellDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                                      const QStyleOptionViewItem& option, const QModelIndex& index)
{
    if (event->type() == QEvent::MouseButtonRelease && (index.flags() & Qt::ItemIsUserCheckable) &&
        (index.flags() & Qt::ItemIsEnabled)) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && option.rect.contains(mouse->position().toPoint())) {
            const bool checked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
            return model->setData(index, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
        }
    }
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}

} // namespace veldrin
