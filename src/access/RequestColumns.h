// The columns of the request-table grids: which cell each shows, its editor, header text
// and starting width, the entries of the list columns, and what a pasted text may put in.
#pragma once

#include "access/RequestTables.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace veldrin {

// Fixed: the row number column. List: a drop-down that accepts only its entries. Check: a
// check box holding "Y" when ticked and "N" when not.
enum class CellEditor { Fixed, Text, List, Check };

struct GridColumn {
    std::optional<Cell> cell; // none for the row number column
    CellEditor editor;
    int header; // string-table index of the header text
    int width;  // starting width in pixels
};

// Column 0 is the row number; the others show the table's cells in file order.
const std::vector<GridColumn>& GridColumns(TableKind kind);

// The entries of a list column: the type texts (not translated), Position "0" up to the
// size of the table's data area less one, Start Bit "0" to "7". Empty for other cells.
const QStringList& ListEntries(TableKind kind, Cell cell);

// The text a cell takes when text is pasted into it, or nothing when the column refuses it:
// a list takes one of its entries (blanks and the letter case of a to z ignored) or nothing,
// the On Change box "Y", "N" or nothing, a text cell anything.
std::optional<QString> PastedCellValue(TableKind kind, Cell cell, const QString& text);

// A pasted text a cell refused, by its grid row and column (0-based).
struct RefusedPaste {
    int row;
    int column;
    QString text;
    bool operator==(const RefusedPaste&) const = default;
};

// PastedCellValue for one column, looked up once for all the cells of a pasted block.
class PastedColumn {
public:
    PastedColumn(TableKind kind, Cell cell);
    // The text the cell takes (text itself or a text that outlives it), or null when the
    // column refuses it.
    const QString* value(const QString& text) const;

private:
    // A list column's entries, found by their upper-case form.
    struct Entries;

    bool m_onChange = false;
    const Entries* m_entries = nullptr; // null where any text is taken
};

// Tab-separated text as a spreadsheet puts it on the clipboard: lines (LF or CR LF, a last
// line break ignored) of tab-separated fields.
std::vector<QStringList> ParseTabText(const QString& text);
// Fields as tab-separated lines, each ended by a line break; tabs and line breaks inside a
// field become blanks so the shape survives.
QString ToTabText(const std::vector<QStringList>& rows);

} // namespace veldrin
