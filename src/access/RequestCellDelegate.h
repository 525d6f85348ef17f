// The editors of the request-table grids: a text box, a drop-down list that accepts only
// its entries, or the On Change check box, as the column asks.
#pragma once

#include <QStyledItemDelegate>

namespace veldrin {

class RequestCellDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

protected:
    // The On Change box toggles with a click anywhere in its cell, not only on the small box,
    // and with Space.
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;
};

} // namespace veldrin
