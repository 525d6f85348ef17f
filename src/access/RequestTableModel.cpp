#include "access/RequestTableModel.h"

#include "common/TextRules.h"
#include "configuration/OnChange.h"

#include <QApplication>
#include <QPalette>

namespace veldrin {

RequestTableModel::RequestTableModel(TableKind kind, RequestTable& table, QObject* parent)
    : QAbstractTableModel(parent), m_kind(kind), m_table(table)
{}

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
    const GridColumn& spec = this->column(column);
    if (!spec.cell)
        return {};
    return m_table.rows.at(static_cast<std::size_t>(row))[*spec.cell];
}

QString* RequestTableModel::cellAt(const QModelIndex& index)
{
    if (!index.isValid())
        return nullptr;
    const GridColumn& spec = column(index.column());
    if (!spec.cell)
        return nullptr;
    return &m_table.rows.at(static_cast<std::size_t>(index.row()))[*spec.cell];
}

QVariant RequestTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const GridColumn& spec = column(index.column());
    if (spec.editor == CellEditor::Fixed) {
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
    const QString& text = m_table.rows.at(static_cast<std::size_t>(index.row()))[*spec.cell];
    if (spec.editor == CellEditor::Check) {
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
    if (*cell != text) {
        *cell = text;
        Q_EMIT dataChanged(index, index);
    }
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

bool RequestTableModel::pasteCell(int row, int column, const QString& text)
{
    const QModelIndex at = index(row, column);
    const GridColumn& spec = this->column(column);
    if (!at.isValid() || !spec.cell)
        return false;
    const std::optional<QString> value = PastedCellValue(m_kind, *spec.cell, text);
    if (!value)
        return false;
    return setData(at, *value, Qt::EditRole);
}

void RequestTableModel::clearCells(int top, int left, int bottom, int right)
{
    for (int row = top; row <= bottom; ++row) {
        for (int col = left; col <= right; ++col) {
            if (QString* cell = cellAt(index(row, col)))
                cell->clear();
        }
    }
    Q_EMIT dataChanged(index(top, left), index(bottom, right));
}

void RequestTableModel::rowsChanged(int top, int bottom)
{
    Q_EMIT dataChanged(index(top, 1), index(bottom, columnCount() - 1));
}

void RequestTableModel::tableReplaced()
{
    Q_EMIT dataChanged(index(0, 0), index(RowCount - 1, columnCount() - 1));
}

void RequestTableModel::insertRowAt(int row)
{
    Insert_Row(m_table, row + 1);
    rowsChanged(row, RowCount - 1);
}

void RequestTableModel::deleteRowAt(int row)
{
    Delete_Row(m_table, row + 1);
    rowsChanged(row, RowCount - 1);
}

} // namespace veldrin
