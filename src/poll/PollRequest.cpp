#include "poll/PollRequest.h"

#include "access/AccessChecks.h"
#include "common/IntOrDefault.h"
#include "configuration/FunctionCode.h"

#include <QStringList>

#include <algorithm>
#include <set>

namespace veldrin {
namespace {

QByteArray word(int value)
{
    QByteArray bytes;
    bytes.append(static_cast<char>((value >> 8) & 0xFF));
    bytes.append(static_cast<char>(value & 0xFF));
    return bytes;
}

std::uint16_t valueAt(const std::vector<std::uint16_t>& values, int index)
{
    return index < static_cast<int>(values.size()) ? values[static_cast<std::size_t>(index)] : 0;
}

PollRequest requestOf(TableKind kind, int number, const RequestRow& row, const WriteValues& values)
{
    PollRequest request;
    request.kind = kind;
    request.row = number;
    request.slave = IntOrDefault(row[Cell::Slave_ID].trimmed(), 0);
    request.address = IntOrDefault(row[Cell::Address].trimmed(), 0);
    request.points = IntOrDefault(row[Cell::NPoint].trimmed(), 0);
    request.functionCode =
        RequestFunctionCode(kind == TableKind::Write, QStringView(row[Cell::Type]), request.points);
    if (kind == TableKind::Read) {
        request.pdu = ReadPdu(request.functionCode, request.address, request.points);
        request.landing = RowBits(kind, row);
    } else {
        const auto found = values.find(number);
        request.pdu = WritePdu(request.functionCode, request.address, request.points,
                               found == values.end() ? std::vector<std::uint16_t>{} : found->second);
    }
    return request;
}

} // namespace

ModbusPdu ReadPdu(int functionCode, int address, int points)
{
    return {static_cast<std::uint8_t>(functionCode), word(address) + word(points)};
}

ModbusPdu WritePdu(int functionCode, int address, int points, const std::vector<std::uint16_t>& values)
{
    const auto code = static_cast<std::uint8_t>(functionCode);
    switch (functionCode) {
    case 5:
        return ModbusPdu{code, word(address) + word(valueAt(values, 0) != 0 ? 0xFF00 : 0)};
    case 6:
        return ModbusPdu{code, word(address) + word(valueAt(values, 0))};
    case 15: {
        QByteArray bits((points + 7) / 8, '\0');
        for (int i = 0; i < points; ++i) {
            if (valueAt(values, i) != 0)
                bits[i / 8] = static_cast<char>(bits[i / 8] | (1 << (i % 8)));
        }
        return ModbusPdu{code,
                         word(address) + word(points) + QByteArray(1, static_cast<char>(bits.size())) + bits};
    }
    default: {
        QByteArray registers;
        for (int i = 0; i < points; ++i)
            registers += word(valueAt(values, i));
        return ModbusPdu{code, word(address) + word(points) +
                                   QByteArray(1, static_cast<char>(registers.size())) + registers};
    }
    }
}

std::vector<PollRequest> PollRequests(const RequestTables& tables,
                                      const std::optional<std::vector<int>>& readRows,
                                      const WriteValues& values)
{
    std::vector<PollRequest> requests;
    for (TableKind kind : {TableKind::Read, TableKind::Write}) {
        const RequestTable& table = tables.table(kind);
        const int used = UsedRowCount(table);
        for (int number = 1; number <= used; ++number) {
            if (kind == TableKind::Read && readRows &&
                !std::binary_search(readRows->begin(), readRows->end(), number))
                continue;
            if (RowPassesChecks(kind, table.row(number)))
                requests.push_back(requestOf(kind, number, table.row(number), values));
        }
    }
    return requests;
}

std::vector<PollRequest> ScanRequests(const std::vector<int>& ids, const ScanProbe& probe)
{
    std::vector<PollRequest> requests;
    for (int id : ids) {
        PollRequest request;
        request.row = id;
        request.slave = id;
        request.functionCode = probe.functionCode;
        request.address = probe.address;
        request.points = probe.points;
        request.pdu = ReadPdu(probe.functionCode, probe.address, probe.points);
        requests.push_back(request);
    }
    return requests;
}

std::optional<std::vector<int>> ParseNumberList(const QString& text, int low, int high)
{
    std::set<int> numbers;
    const QStringList parts = text.split(u',');
    for (const QString& part : parts) {
        const QStringList ends = part.trimmed().split(u'-');
        if (ends.size() > 2)
            return std::nullopt;
        bool firstOk = false;
        bool lastOk = false;
        const int first = ends.front().trimmed().toInt(&firstOk);
        const int last = ends.back().trimmed().toInt(&lastOk);
        if (!firstOk || !lastOk || first < low || last > high || first > last)
            return std::nullopt;
        for (int number = first; number <= last; ++number)
            numbers.insert(number);
    }
    return std::vector<int>(numbers.begin(), numbers.end());
}

} // namespace veldrin
