#include "access/RequestTables.h"

#include "common/TextRules.h"

#include <algorithm>

namespace veldrin {

const std::vector<Cell>& TableCells(TableKind kind)
{
    static const std::vector<Cell> read{Cell::Slave_ID, Cell::Type,     Cell::Address,
                                        Cell::NPoint,   Cell::PollTime, Cell::MaxError,
                                        Cell::Position, Cell::Bit,      Cell::Mnemonic};
    static const std::vector<Cell> write{Cell::Slave_ID, Cell::Type,     Cell::Address,  Cell::NPoint,
                                         Cell::PollTime, Cell::OnChange, Cell::MaxError, Cell::Position,
                                         Cell::Bit,      Cell::Mnemonic};
    return kind == TableKind::Read ? read : write;
}

QString CellName(Cell cell)
{
    switch (cell) {
    case Cell::Slave_ID:
        return QStringLiteral("Slave_ID");
    case Cell::Type:
        return QStringLiteral("Type");
    case Cell::Address:
        return QStringLiteral("Address");
    case Cell::NPoint:
        return QStringLiteral("NPoint");
    case Cell::PollTime:
        return QStringLiteral("PollTime");
    case Cell::OnChange:
        return QStringLiteral("OnChange");
    case Cell::MaxError:
        return QStringLiteral("MaxError");
    case Cell::Position:
        return QStringLiteral("Position");
    case Cell::Bit:
        return QStringLiteral("Bit");
    case Cell::Mnemonic:
        return QStringLiteral("Mnemonic");
    }
    return {};
}

int NByte(TableKind kind)
{
    return kind == TableKind::Read ? NByte_IN : NByte_OUT;
}

int UsedRowCount(const RequestTable& table)
{
    int used = 0;
    while (used < RowCount && !Trim(table.rows[static_cast<std::size_t>(used)][Cell::Slave_ID]).isEmpty())
        ++used;
    return used;
}

bool IsBitType(TableKind kind, const QString& type)
{
    const QString normal = AsciiUpper(Trim(type));
    if (normal == u"COIL STATUS")
        return true;
    return kind == TableKind::Read && normal == u"INPUT STATUS";
}

std::int64_t LastByte(bool bitType, std::int64_t position, std::int64_t nPoint, std::int64_t bit)
{
    // Integer division truncates toward zero, as the device's own arithmetic does.
    if (bitType)
        return position + (nPoint + bit - 1) / 8;
    return position + 2 * nPoint - 1;
}

bool RowHoldsData(const RequestRow& row)
{
    for (int i = 0; i < CellCount; ++i) {
        const QString text = Trim(row.cells[static_cast<std::size_t>(i)]);
        if (text.isEmpty())
            continue;
        if (static_cast<Cell>(i) == Cell::OnChange && text == u"N")
            continue;
        return true;
    }
    return false;
}

std::vector<int> RowsNotSaved(const RequestTable& table)
{
    std::vector<int> rows;
    for (int number = UsedRowCount(table) + 1; number <= RowCount; ++number) {
        if (RowHoldsData(table.row(number)))
            rows.push_back(number);
    }
    return rows;
}

void Insert_Row(RequestTable& table, int row)
{
    if (row < 1 || row > RowCount)
        return;
    const auto first = table.rows.begin() + (row - 1);
    std::rotate(first, table.rows.end() - 1, table.rows.end());
    *first = RequestRow{};
}

void Delete_Row(RequestTable& table, int row)
{
    if (row < 1 || row > RowCount)
        return;
    const auto first = table.rows.begin() + (row - 1);
    std::rotate(first, first + 1, table.rows.end());
    table.rows.back() = RequestRow{};
}

} // namespace veldrin
