#include "access/AccessChecks.h"

#include "access/RequestTablesFile.h"
#include "common/IntOrDefault.h"
#include "lang/StringTable.h"

namespace veldrin {
namespace {

constexpr int ErrorRowText = 157; // "Error row "

// Each table's rule texts follow one another in the string table in the order of the steps.
enum Step { SlaveId, Type, Address, NPoint, PollTime, MaxError, Position, Bit, TooManyBytes };

struct TableRules {
    int firstText;
    int bitPoints;
    int registerPoints;
    int minPollTime;
};

TableRules rulesOf(TableKind kind)
{
    if (kind == TableKind::Read)
        return {158, 2000, 125, 1};
    return {167, 1968, 123, 0};
}

bool within(int value, int low, int high)
{
    return value >= low && value <= high;
}

// The first failing step of a row with the limit its message ends with, if any.
struct Failure {
    Step step;
    std::optional<int> limit;
};

std::optional<Failure> checkRow(TableKind kind, const RequestRow& row)
{
    const TableRules rules = rulesOf(kind);
    const auto number = [&row](Cell cell) {
        return IntOrDefault(row[cell], -1);
    };

    if (!within(number(Cell::Slave_ID), 1, 247))
        return Failure{SlaveId, {}};
    if (row[Cell::Type].isEmpty())
        return Failure{Type, {}};
    if (!within(number(Cell::Address), 0, 65535))
        return Failure{Address, {}};
    const bool bitType = IsBitType(kind, row[Cell::Type]);
    const int pointLimit = bitType ? rules.bitPoints : rules.registerPoints;
    const int nPoint = number(Cell::NPoint);
    if (!within(nPoint, 1, pointLimit))
        return Failure{NPoint, pointLimit};
    if (!within(number(Cell::PollTime), rules.minPollTime, 100000000))
        return Failure{PollTime, {}};
    if (!within(number(Cell::MaxError), 0, 100000000))
        return Failure{MaxError, {}};
    const int lastPosition = NByte(kind) - 1;
    const int position = number(Cell::Position);
    if (!within(position, 0, lastPosition))
        return Failure{Position, lastPosition};
    // The message promises 0 to 7; a bit outside that would reach the device as an address
    // beyond its byte, so an out-of-range bit fails like an empty one.
    if (bitType && !within(number(Cell::Bit), 0, 7))
        return Failure{Bit, {}};
    if (LastByte(bitType, position, nPoint, bitType ? number(Cell::Bit) : 0) >= NByte(kind))
        return Failure{TooManyBytes, {}};
    return std::nullopt;
}

} // namespace

bool RowPassesChecks(TableKind kind, const RequestRow& row)
{
    return !checkRow(kind, row).has_value();
}

std::optional<QString> Controllo_dati(const RequestTables& tables, const StringTable& strings)
{
    for (TableKind kind : {TableKind::Read, TableKind::Write}) {
        const RequestTable& table = tables.table(kind);
        const int used = UsedRowCount(table);
        for (int number = 1; number <= used; ++number) {
            const std::optional<Failure> failure = checkRow(kind, table.row(number));
            if (!failure)
                continue;
            QString message = strings[ErrorRowText] + QString::number(number) +
                              strings[rulesOf(kind).firstText + failure->step];
            if (failure->limit)
                message += QString::number(*failure->limit);
            return message;
        }
    }
    return std::nullopt;
}

std::optional<QString> CheckSetAccessFile(const QString& path, const StringTable& strings)
{
    return Controllo_dati(ReadRequestTables(path), strings);
}

} // namespace veldrin
