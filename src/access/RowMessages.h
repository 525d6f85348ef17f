// The messages of the request-table dialog that guard rows against loss.
#pragma once

#include "access/BusLoad.h"
#include "access/DataAreaMap.h"
#include "access/RequestColumns.h"
#include "access/RequestTables.h"

#include <QString>

#include <optional>

namespace veldrin {

class StringTable;

// The question asked before saving when rows after the first empty Slave ID hold data,
// naming them per table; nothing when no row would be lost.
std::optional<QString> RowsNotSavedQuestion(const RequestTables& tables, const StringTable& strings);

// Why a row cannot be inserted: row 512 holds data that would be pushed out of the table.
std::optional<QString> InsertRowRefusal(TableKind kind, const RequestTable& table,
                                        const StringTable& strings);

// What a paste could not put into its cells, in one message: each refused text with its row and
// column; a long list ends with how many more there are.
QString PasteRefusalMessage(TableKind kind, const std::vector<RefusedPaste>& refused,
                            const StringTable& strings);

// The status line of the request-table dialog: the bus load both tables ask of the line, each
// table's share and the shortest cycle, and how the total reads at a glance.
struct BusLoadLine {
    QString text;
    LoadLevel level = LoadLevel::Fine;
};
BusLoadLine BusLoadStatus(const RequestTables& tables, const SerialLine& line, const StringTable& strings);
// The question asked before saving when read rows fill the same bytes of the input area,
// naming the pairs (a dozen at most, then how many more); nothing when none overlap.
std::optional<QString> OverlapQuestion(const AreaMap& inputArea, const StringTable& strings);

// What the status line's hint says: that the load is an estimate.
QString BusLoadNote(const StringTable& strings);

// Row numbers as a short list: "2, 5-7, 9".
QString RowList(const std::vector<int>& rows);

} // namespace veldrin
