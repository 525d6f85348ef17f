#include "access/BusLoad.h"

#include "access/AccessChecks.h"
#include "common/IntOrDefault.h"
#include "configuration/FunctionCode.h"
#include "configuration/ParGenLists.h"

namespace veldrin {
namespace {

int ceilDiv(int value, int by)
{
    return (value + by - 1) / by;
}

} // namespace

SerialLine SerialLineOf(int baudIndex, int parityIndex, int stopBitsIndex, int protocolIndex)
{
    SerialLine line;
    if (baudIndex >= 0 && baudIndex < static_cast<int>(pargen::BaudRates.size()))
        line.baud = pargen::BaudRates[static_cast<std::size_t>(baudIndex)];
    line.parity = parityIndex == 1 ? 'O' : parityIndex == 2 ? 'E' : 'N';
    line.parityBits = line.parity == 'N' ? 0 : 1;
    line.stopBits = stopBitsIndex == 1 ? 2 : 1;
    line.ascii = protocolIndex == 1;
    line.dataBits = line.ascii ? 7 : 8;
    return line;
}

QString SerialLineName(const SerialLine& line)
{
    return QStringLiteral("%1 %2%3%4")
        .arg(line.baud)
        .arg(line.dataBits)
        .arg(QChar(line.parity))
        .arg(line.stopBits);
}

double CharacterMs(const SerialLine& line)
{
    return 1000.0 * (1 + line.dataBits + line.parityBits + line.stopBits) / line.baud;
}

FrameBytes RtuFrameBytes(int functionCode, int points)
{
    switch (functionCode) {
    case 1:
    case 2:
        return {8, 5 + ceilDiv(points, 8)};
    case 3:
    case 4:
        return {8, 5 + 2 * points};
    case 5:
    case 6:
        return {8, 8};
    case 15:
        return {9 + ceilDiv(points, 8), 8};
    default:
        return {9 + 2 * points, 8};
    }
}

double TransactionMs(const SerialLine& line, int functionCode, int points, double turnaroundMs)
{
    const FrameBytes bytes = RtuFrameBytes(functionCode, points);
    const double character = CharacterMs(line);
    if (line.ascii)
        return (2 * bytes.request + 1 + 2 * bytes.response + 1) * character + turnaroundMs;
    const double gap = line.baud <= 19200 ? 3.5 * character : 1.75;
    return (bytes.request + bytes.response) * character + 2 * gap + turnaroundMs;
}

TableLoad TableBusLoad(TableKind kind, const RequestTable& table, const SerialLine& line, double turnaroundMs)
{
    TableLoad load;
    const bool write = kind == TableKind::Write;
    const int used = UsedRowCount(table);
    for (int number = 1; number <= used; ++number) {
        const RequestRow& row = table.row(number);
        if (!RowPassesChecks(kind, row))
            continue;
        const int points = IntOrDefault(row[Cell::NPoint], 0);
        RowLoad rowLoad;
        rowLoad.row = number;
        rowLoad.functionCode = RequestFunctionCode(write, QStringView(row[Cell::Type]), points);
        rowLoad.ms = TransactionMs(line, rowLoad.functionCode, points, turnaroundMs);
        rowLoad.pollTimeMs = IntOrDefault(row[Cell::PollTime], 0);
        rowLoad.overPollTime = rowLoad.pollTimeMs > 0 && rowLoad.ms > rowLoad.pollTimeMs;
        load.cycleMs += rowLoad.ms;
        if (rowLoad.pollTimeMs > 0)
            load.percent += 100.0 * rowLoad.ms / rowLoad.pollTimeMs;
        load.rows.push_back(rowLoad);
    }
    return load;
}

LoadLevel LoadLevelOf(double percent)
{
    if (percent > 100)
        return LoadLevel::Over;
    return percent > 70 ? LoadLevel::High : LoadLevel::Fine;
}

} // namespace veldrin
