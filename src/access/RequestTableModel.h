// One request table as the rows of a grid: the row number column, then the table's cells,
// edited in place in the table the dialog holds. Every change is a step of its undo stack.
#pragma once

#include "access/RequestColumns.h"
#include "access/RequestTables.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <QUndoStack>

#include <algorithm>
#include <functional>
#include <vector>

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
    // Puts a pasted block of texts into the grid from (top, left): cells past its edges are
    // dropped, and the row number column and a cell that refuses its text keep what they hold.
    // The change is announced once, for the cells that changed. Gives the bottom right corner
    // of the part of the grid the block covers.
    QModelIndex pasteBlock(int top, int left, const std::vector<QStringList>& rows);
    // Puts text into each of the cells as a paste does, announcing the change once.
    void pasteIntoCells(const QModelIndexList& cells, const QString& text);
    // The texts the last paste could not put into their cells, in grid order.
    const std::vector<RefusedPaste>& refusedByLastPaste() const { return m_refused; }
    // Empties the data cells in the rows and columns given (0-based, inclusive).
    void clearCells(int top, int left, int bottom, int right);

    // Call after the whole table was replaced: the grid keeps its current cell and widths, and
    // the undo stack starts afresh.
    void tableReplaced();
    // Rows read from a file, in place of the table's rows or after its used rows; one step.
    void importRows(const std::vector<RequestRow>& rows, bool append);

    // The changes to the table, each undoable: a cell typed or chosen, a paste, cleared
    // cells, a row inserted or deleted, an import.
    QUndoStack* undoStack() { return &m_undo; }
    // The steps kept; older ones can no longer be undone.
    static constexpr int UndoLimit = 100;

Q_SIGNALS:
    // An undo or redo changed the table there (the top left cell of the change).
    void changeShown(const QModelIndex& at);

public:
    // The row operations on 0-based row indexes.
    void insertRowAt(int row);
    void deleteRowAt(int row);

private:
    class CellsEdit;
    // A cell and the text it held before a change.
    struct CellChange {
        int row;
        Cell cell;
        QString text;
    };

    QString* cellAt(const QModelIndex& index);
    // Runs change, which edits cells through setCell and announces them, as one step of the
    // undo stack; a change that leaves every cell as it was is no step. mostCells is room
    // made for the log beforehand.
    void recordCells(const QModelIndex& at, const std::function<void()>& change, std::size_t mostCells = 1);
    // Runs change, which edits the table's rows from first (0-based) on directly, as one step.
    void changeRows(int first, const QModelIndex& at, const std::function<void()>& change);
    // Puts text into a cell, logging what it held; false when it held text already.
    bool setCell(int row, Cell cell, const QString& text);
    // Swaps the logged texts with the cells', as an undo (last first) or a redo does.
    void swapCells(std::vector<CellChange>& changes, bool lastFirst, const QModelIndex& at);
    QModelIndex pasteBlockInPlace(int top, int left, const std::vector<QStringList>& rows);
    void pasteIntoCellsInPlace(const QModelIndexList& cells, const QString& text);
    // The bounds of the cells a paste changed, announced as one change.
    struct ChangedCells {
        int top = RowCount;
        int left = 1 << 30;
        int bottom = -1;
        int right = -1;
        void add(int row, int column)
        {
            top = std::min(top, row);
            bottom = std::max(bottom, row);
            left = std::min(left, column);
            right = std::max(right, column);
        }
    };
    void announce(const ChangedCells& changed);
    void rowsChanged(int top, int bottom);

    TableKind m_kind;
    RequestTable& m_table;
    std::vector<RefusedPaste> m_refused;
    QStringList m_headers;
    QUndoStack m_undo;
    // The cells the change being recorded has changed so far.
    std::vector<CellChange> m_log;
};

} // namespace veldrin
