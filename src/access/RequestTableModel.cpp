#include "access/RequestTableModel.h"

#include "access/RequestCsv.h"
#include "common/TextRules.h"
#include "configuration/OnChange.h"

#include <QApplication>
#include <QPalette>

namespace veldrin {

// The cells a change touched, with the texts they held before it. Undo swaps each text with
// the cell's, last first, which leaves the texts after the change here; redo swaps them back,
// first first. The first redo is the change itself, already made when the step is pushed.
class RequestTableModel::CellsEdit : public QUndoCommand {
public:
    CellsEdit(RequestTableModel* model, std::vector<CellChange> changes, const QModelIndex& at)
        : m_model(model), m_changes(std::move(changes)), m_row(at.row()), m_column(at.column())
    {}

    void undo() override { m_model->swapCells(m_changes, true, m_model->index(m_row, m_column)); }
    void redo() override
    {
        if (m_made) {
            m_made = false;
            return;
        }
        m_model->swapCells(m_changes, false, m_model->index(m_row, m_column));
    }

private:
    RequestTableModel* m_model;
    std::vector<CellChange> m_changes;
    int m_row;
    int m_column;
    bool m_made = true;
};

RequestTableModel::RequestTableModel(TableKind kind, RequestTable& table, QObject* parent)
    : QAbstractTableModel(parent), m_kind(kind), m_table(table)
{
    // Each step keeps the texts it replaced: a bound on the memory of a long session.
    m_undo.setUndoLimit(UndoLimit);
}

const GridColumn& RequestTableModel::column(int column) const
{
    return GridColumns(m_kind).at(static_cast<std::size_t>(column));
}

int RequestTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : RowCount;
}

int RequestTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(GridColumns(m_kind).size());
}

QString RequestTableModel::cellText(int row, int column) const
{
    const GridColumn& gridColumn = this->column(column);
    if (!gridColumn.cell)
        return {};
    return m_table.rows.at(static_cast<std::size_t>(row))[*gridColumn.cell];
}

QString* RequestTableModel::cellAt(const QModelIndex& index)
{
    if (!index.isValid())
        return nullptr;
    const GridColumn& gridColumn = column(index.column());
    if (!gridColumn.cell)
        return nullptr;
    return &m_table.rows.at(static_cast<std::size_t>(index.row()))[*gridColumn.cell];
}

QVariant RequestTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const GridColumn& gridColumn = column(index.column());
    if (gridColumn.editor == CellEditor::Fixed) {
        switch (role) {
        case Qt::DisplayRole:
            return index.row() + 1;
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::AlignCenter);
        case Qt::BackgroundRole:
            return QApplication::palette().button();
        case Qt::ForegroundRole:
            return QApplication::palette().buttonText();
        default:
            return {};
        }
    }
    const QString& text = m_table.rows.at(static_cast<std::size_t>(index.row()))[*gridColumn.cell];
    if (gridColumn.editor == CellEditor::Check) {
        // The box shows what the device will be told: ticked only for "Y".
        if (role == Qt::CheckStateRole)
            return IsOnChange(text) ? Qt::Checked : Qt::Unchecked;
        if (role == Qt::EditRole)
            return text;
        if (role == Qt::AccessibleTextRole)
            return text;
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return text;
    return {};
}

bool RequestTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    QString* cell = cellAt(index);
    if (!cell)
        return false;
    QString text;
    if (column(index.column()).editor == CellEditor::Check && role == Qt::CheckStateRole)
        text = value.value<Qt::CheckState>() == Qt::Checked ? QStringLiteral("Y") : QStringLiteral("N");
    else if (role == Qt::EditRole)
        text = value.toString();
    else
        return false;
    recordCells(index, [&] {
        if (setCell(index.row(), *column(index.column()).cell, text))
            Q_EMIT dataChanged(index, index);
    });
    return true;
}

Qt::ItemFlags RequestTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    switch (column(index.column()).editor) {
    case CellEditor::Fixed:
        // Neither selected nor reached by the cursor keys: it only numbers the rows.
        return Qt::ItemNeverHasChildren;
    case CellEditor::Check:
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemNeverHasChildren;
    default:
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemNeverHasChildren;
    }
}

QVariant RequestTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < m_headers.size())
        return m_headers[section];
    if (orientation == Qt::Vertical && role == Qt::DisplayRole)
        return section + 1;
    return QAbstractTableModel::headerData(section, orientation, role);
}

void RequestTableModel::setHeaders(const QStringList& headers)
{
    m_headers = headers;
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

QModelIndex RequestTableModel::pasteBlock(int top, int left, const std::vector<QStringList>& rows)
{
    QModelIndex end = index(top, left);
    std::size_t mostCells = 0;
    for (const QStringList& row : rows)
        mostCells += static_cast<std::size_t>(row.size());
    recordCells(
        index(top, left), [&] { end = pasteBlockInPlace(top, left, rows); }, mostCells);
    return end;
}

QModelIndex RequestTableModel::pasteBlockInPlace(int top, int left, const std::vector<QStringList>& rows)
{
    const int lastRow = rowCount() - 1;
    const int lastColumn = columnCount() - 1;
    // Each column's rule, found once for the whole block; none for the row number column.
    std::vector<std::optional<std::pair<Cell, PastedColumn>>> pasted;
    for (int column = left; column <= lastColumn; ++column) {
        const std::optional<Cell>& cell = this->column(column).cell;
        pasted.push_back(cell ? std::optional(std::pair(*cell, PastedColumn(m_kind, *cell))) : std::nullopt);
    }
    int bottom = top;
    int right = left;
    ChangedCells changed;
    m_refused.clear();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int row = top + static_cast<int>(i);
        if (row > lastRow)
            break;
        bottom = row;
        for (qsizetype j = 0; j < rows[i].size(); ++j) {
            const int column = left + static_cast<int>(j);
            if (column > lastColumn)
                break;
            right = std::max(right, column);
            const auto& rule = pasted[static_cast<std::size_t>(j)];
            if (!rule)
                continue;
            const QString* value = rule->second.value(rows[i][j]);
            if (!value)
                m_refused.push_back({row, column, rows[i][j]});
            else if (setCell(row, rule->first, *value))
                changed.add(row, column);
        }
    }
    announce(changed);
    return index(bottom, right);
}

void RequestTableModel::pasteIntoCells(const QModelIndexList& cells, const QString& text)
{
    // An undo shows the top left cell of the range.
    QModelIndex at;
    for (const QModelIndex& cell : cells) {
        if (cell.isValid() && cell.model() == this &&
            (!at.isValid() || std::pair(cell.row(), cell.column()) < std::pair(at.row(), at.column())))
            at = cell;
    }
    recordCells(at, [&] { pasteIntoCellsInPlace(cells, text); });
}

void RequestTableModel::pasteIntoCellsInPlace(const QModelIndexList& cells, const QString& text)
{
    ChangedCells changed;
    m_refused.clear();
    for (const QModelIndex& at : cells) {
        if (!at.isValid() || at.model() != this)
            continue;
        const std::optional<Cell>& cell = column(at.column()).cell;
        if (!cell)
            continue;
        const QString* value = PastedColumn(m_kind, *cell).value(text);
        if (!value)
            m_refused.push_back({at.row(), at.column(), text});
        else if (setCell(at.row(), *cell, *value))
            changed.add(at.row(), at.column());
    }
    // In the order the grid shows them, whatever order the selection was made in.
    std::sort(m_refused.begin(), m_refused.end(), [](const RefusedPaste& a, const RefusedPaste& b) {
        return std::pair(a.row, a.column) < std::pair(b.row, b.column);
    });
    announce(changed);
}

bool RequestTableModel::setCell(int row, Cell cell, const QString& text)
{
    QString& stored = m_table.rows.at(static_cast<std::size_t>(row))[cell];
    if (stored == text)
        return false;
    m_log.push_back({row, cell, std::exchange(stored, text)});
    return true;
}

void RequestTableModel::announce(const ChangedCells& changed)
{
    if (changed.bottom >= 0)
        Q_EMIT dataChanged(index(changed.top, changed.left), index(changed.bottom, changed.right));
}

void RequestTableModel::clearCells(int top, int left, int bottom, int right)
{
    recordCells(index(top, left), [&] {
        for (int row = top; row <= bottom; ++row) {
            for (int col = left; col <= right; ++col) {
                if (const std::optional<Cell>& cell = column(col).cell)
                    setCell(row, *cell, QString());
            }
        }
        Q_EMIT dataChanged(index(top, left), index(bottom, right));
    });
}

void RequestTableModel::rowsChanged(int top, int bottom)
{
    Q_EMIT dataChanged(index(top, 1), index(bottom, columnCount() - 1));
}

void RequestTableModel::tableReplaced()
{
    m_undo.clear();
    Q_EMIT dataChanged(index(0, 0), index(RowCount - 1, columnCount() - 1));
}

void RequestTableModel::importRows(const std::vector<RequestRow>& rows, bool append)
{
    const int first = append ? UsedRowCount(m_table) : 0;
    changeRows(first, index(first, 1), [&] { PutImportedRows(m_table, rows, append); });
}

void RequestTableModel::insertRowAt(int row)
{
    changeRows(row, index(row, 1), [&] { Insert_Row(m_table, row + 1); });
}

void RequestTableModel::deleteRowAt(int row)
{
    changeRows(row, index(row, 1), [&] { Delete_Row(m_table, row + 1); });
}

void RequestTableModel::recordCells(const QModelIndex& at, const std::function<void()>& change,
                                    std::size_t mostCells)
{
    m_log.clear();
    m_log.reserve(mostCells);
    change();
    if (!m_log.empty())
        m_undo.push(new CellsEdit(this, std::exchange(m_log, {}), at));
}

void RequestTableModel::changeRows(int first, const QModelIndex& at, const std::function<void()>& change)
{
    std::vector<RequestRow> before(m_table.rows.begin() + first, m_table.rows.end());
    recordCells(at, [&] {
        change();
        // The cells that differ now, logged with what they held.
        for (int row = first; row < RowCount; ++row) {
            RequestRow& was = before[static_cast<std::size_t>(row - first)];
            const RequestRow& is = m_table.rows[static_cast<std::size_t>(row)];
            for (int cell = 0; cell < CellCount; ++cell) {
                const auto c = static_cast<std::size_t>(cell);
                if (was.cells[c] != is.cells[c])
                    m_log.push_back({row, static_cast<Cell>(cell), std::move(was.cells[c])});
            }
        }
        rowsChanged(first, RowCount - 1);
    });
}

void RequestTableModel::swapCells(std::vector<CellChange>& changes, bool lastFirst, const QModelIndex& at)
{
    int top = RowCount;
    int bottom = -1;
    const auto swap = [&](CellChange& change) {
        std::swap(change.text, m_table.rows[static_cast<std::size_t>(change.row)][change.cell]);
        top = std::min(top, change.row);
        bottom = std::max(bottom, change.row);
    };
    if (lastFirst)
        std::for_each(changes.rbegin(), changes.rend(), swap);
    else
        std::for_each(changes.begin(), changes.end(), swap);
    if (bottom >= 0)
        rowsChanged(top, bottom);
    Q_EMIT changeShown(at);
}

} // namespace veldrin
