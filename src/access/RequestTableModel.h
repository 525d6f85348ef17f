// One request table as the rows of a grid: the row number column, then the table's cells,
// edited in place in the table the dialog holds.
#pragma once

#include "access/RequestColumns.h"
#include "access/RequestTables.h"

#include <QAbstractTableModel>
#include <QStringList>

namespace veldrin {

class RequestTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    RequestTableModel(TableKind kind, RequestTable& table, QObject* parent);

    TableKind kind() const { return m_kind; }
    const GridColumn& column(int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The texts of the column headers, column 0 first.
    void setHeaders(const QStringList& headers);
    // The text of a data cell; "" for the row number column.
    QString cellText(int row, int column) const;
    // Puts text into a data cell as a paste does: refused texts leave it unchanged. Gives
    // whether the cell took it.
    bool pasteCell(int row, int column, const QString& text);
    // Empties the data cells in the rows and columns given (0-based, inclusive).
    void clearCells(int top, int left, int bottom, int right);

    // Call after the whole table was replaced: the grid keeps its current cell and widths.
    void tableReplaced();
    // The row operations on 0-based row indexes.
    void insertRowAt(int row);
    void deleteRowAt(int row);

private:
    QString* cellAt(const QModelIndex& index);
    void rowsChanged(int top, int bottom);

    TableKind m_kind;
    RequestTable& m_table;
    QStringList m_headers;
};

} // namespace veldrin
