// The read and write request tables of a configuration: 512 rows of texts each, the data
// areas they fill, and the rules for which rows count and how many bytes a row takes.
#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace veldrin {

enum class TableKind { Read, Write };

// The cells of a row, in the order of the file's attributes. A read row has no OnChange.
enum class Cell { Slave_ID, Type, Address, NPoint, PollTime, OnChange, MaxError, Position, Bit, Mnemonic };
inline constexpr int CellCount = 10;

inline constexpr int RowCount = 512;
// The device's input data area (filled by read requests) and output data area (the source
// of write requests), in bytes.
inline constexpr int NByte_IN = 1000;
inline constexpr int NByte_OUT = 1000;

struct RequestRow {
    std::array<QString, CellCount> cells;

    QString& operator[](Cell cell) { return cells[static_cast<std::size_t>(cell)]; }
    const QString& operator[](Cell cell) const { return cells[static_cast<std::size_t>(cell)]; }
    bool operator==(const RequestRow&) const = default;
};

struct RequestTable {
    std::vector<RequestRow> rows = std::vector<RequestRow>(RowCount);

    // Rows are numbered 1 to RowCount, as the user sees them.
    RequestRow& row(int number) { return rows.at(static_cast<std::size_t>(number - 1)); }
    const RequestRow& row(int number) const { return rows.at(static_cast<std::size_t>(number - 1)); }
    bool operator==(const RequestTable&) const = default;
};

struct RequestTables {
    RequestTable Modbus_Read;
    RequestTable Modbus_Write;

    RequestTable& table(TableKind kind) { return kind == TableKind::Read ? Modbus_Read : Modbus_Write; }
    const RequestTable& table(TableKind kind) const
    {
        return kind == TableKind::Read ? Modbus_Read : Modbus_Write;
    }
    bool operator==(const RequestTables&) const = default;
};

// The cells of the table's rows in file order: nine for the read table, ten for the write
// table.
const std::vector<Cell>& TableCells(TableKind kind);
// The cell's attribute name in the file.
QString CellName(Cell cell);
// The size of the data area the table's rows use.
int NByte(TableKind kind);

// The number of used rows: rows 1, 2, ... up to the first whose Slave_ID is empty once
// trimmed. Rows after it are neither checked nor saved.
int UsedRowCount(const RequestTable& table);

// A type text that addresses single bits: Coil Status, and in the read table also Input
// Status (trimmed, letter case of a to z ignored). Any other text is a register type.
bool IsBitType(TableKind kind, const QString& type);

// The last byte of the data area a row occupies. A bit row fills the byte at position from
// bit upwards, eight points to a byte; a register row takes two bytes per register.
std::int64_t LastByte(bool bitType, std::int64_t position, std::int64_t nPoint, std::int64_t bit);

// True when any cell holds something besides blanks; an On Change of "N" (a box ticked and
// cleared again) holds nothing.
bool RowHoldsData(const RequestRow& row);
// The rows that hold data but come after the used rows, so saving would drop them.
std::vector<int> RowsNotSaved(const RequestTable& table);

// Moves rows row to 511 down by one and empties row; the former row 512 is lost.
void Insert_Row(RequestTable& table, int row);
// Moves rows row + 1 to 512 up by one and empties row 512.
void Delete_Row(RequestTable& table, int row);

} // namespace veldrin
