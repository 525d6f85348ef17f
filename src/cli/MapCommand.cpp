#include "cli/MapCommand.h"

#include "access/BusLoad.h"
#include "access/DataAreaMap.h"
#include "access/RequestTablesFile.h"
#include "comm/GeneralParameterFile.h"
#include "common/VeldrinError.h"
#include "configuration/WorkspaceLayout.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace veldrin::cli {
namespace {

const TableKind Kinds[] = {TableKind::Read, TableKind::Write};

QString tableName(TableKind kind)
{
    return kind == TableKind::Read ? QStringLiteral("read") : QStringLiteral("write");
}

QString areaName(TableKind kind)
{
    return kind == TableKind::Read ? QStringLiteral("input") : QStringLiteral("output");
}

QJsonObject bitsJson(const BitRange& bits)
{
    return {{QStringLiteral("firstBit"), static_cast<qint64>(bits.first)},
            {QStringLiteral("lastBit"), static_cast<qint64>(bits.last)},
            {QStringLiteral("firstByte"), static_cast<qint64>(bits.firstByte())},
            {QStringLiteral("lastByte"), static_cast<qint64>(bits.lastByte())}};
}

QJsonObject areaJson(const AreaMap& map)
{
    QJsonArray rows;
    for (const RowSpan& span : map.spans) {
        QJsonObject row = bitsJson(span.bits);
        row.insert(QStringLiteral("row"), span.row);
        rows.append(row);
    }
    QJsonArray leftOut;
    for (int row : map.leftOut)
        leftOut.append(row);
    QJsonArray overlaps;
    for (const Overlap& overlap : map.overlaps) {
        QJsonObject entry = bitsJson(overlap.bits);
        entry.insert(QStringLiteral("rows"), QJsonArray{overlap.first, overlap.second});
        overlaps.append(entry);
    }
    QJsonArray free;
    for (const ByteRange& range : map.free)
        free.append(QJsonObject{{QStringLiteral("firstByte"), range.first},
                                {QStringLiteral("lastByte"), range.last}});
    return {{QStringLiteral("table"), tableName(map.kind)},
            {QStringLiteral("area"), areaName(map.kind)},
            {QStringLiteral("sizeBytes"), map.size},
            {QStringLiteral("rows"), rows},
            {QStringLiteral("leftOut"), leftOut},
            {QStringLiteral("overlaps"), overlaps},
            {QStringLiteral("free"), free}};
}

double rounded(double value)
{
    return std::round(value * 100) / 100;
}

QJsonObject loadJson(TableKind kind, const TableLoad& load)
{
    QJsonArray rows;
    for (const RowLoad& row : load.rows)
        rows.append(QJsonObject{{QStringLiteral("row"), row.row},
                                {QStringLiteral("functionCode"), row.functionCode},
                                {QStringLiteral("ms"), rounded(row.ms)},
                                {QStringLiteral("pollTimeMs"), row.pollTimeMs},
                                {QStringLiteral("overPollTime"), row.overPollTime}});
    return {{QStringLiteral("table"), tableName(kind)},
            {QStringLiteral("percent"), rounded(load.percent)},
            {QStringLiteral("cycleMs"), rounded(load.cycleMs)},
            {QStringLiteral("rows"), rows}};
}

void printArea(const AreaMap& map, QTextStream& out)
{
    out << (map.kind == TableKind::Read ? "Input area (Modbus_Read rows), "
                                        : "Output area (Modbus_Write rows), ")
        << map.size << " bytes\n";
    for (const RowSpan& span : map.spans)
        out << "  row " << span.row << ": " << BitRangeText(span.bits) << '\n';
    if (!map.leftOut.empty()) {
        QStringList rows;
        for (int row : map.leftOut)
            rows.append(QString::number(row));
        out << "  left out, failing the checks: rows " << rows.join(QStringLiteral(", ")) << '\n';
    }
    for (const Overlap& overlap : map.overlaps)
        out << "  " << (map.kind == TableKind::Read ? "overlap" : "shared") << ": rows " << overlap.first
            << " and " << overlap.second << " on " << BitRangeText(overlap.bits) << '\n';
    for (const ByteRange& range : map.free)
        out << "  free: " << BitRangeText({range.first * std::int64_t{8}, range.last * std::int64_t{8} + 7})
            << '\n';
}

} // namespace

MapCommand::MapCommand()
    : m_jsonOption(QStringLiteral("json"),
                   QStringLiteral("Prints the map and the load as JSON (see the README).")),
      m_turnaroundOption(QStringLiteral("turnaround"),
                         QStringLiteral("The time a slave takes to start its answer, in ms (default: 0)."),
                         QStringLiteral("MS"), QStringLiteral("0"))
{}

QString MapCommand::description() const
{
    return QStringLiteral("Shows where the requests land in the device's input and output areas\n"
                          "(each row's bytes, overlaps, free bytes) and an estimate of the serial\n"
                          "bus load. Exits with 1 when read rows overlap or the load exceeds 100 %.");
}

QList<CliArgument> MapCommand::arguments() const
{
    return {{QStringLiteral("CONFIG_DIR"),
             QStringLiteral("The configuration folder, holding ParGen.xml and ModbusM_SetAccess.xml.")}};
}

int MapCommand::run(const QCommandLineParser& commandLine, QTextStream& out, QTextStream& err)
{
    const QString configDir = commandLine.positionalArguments().constFirst();
    bool numeric = false;
    const double turnaroundMs = commandLine.value(m_turnaroundOption).toDouble(&numeric);
    if (!numeric || turnaroundMs < 0 || turnaroundMs > 60000) {
        err << "veldrin-cli map: --turnaround takes milliseconds from 0 to 60000\n";
        return ExitUsage;
    }
    if (!QFileInfo(configDir).isDir()) {
        err << "veldrin-cli map: " << QDir::toNativeSeparators(configDir) << " is not a folder\n";
        return ExitUsage;
    }
    const QString config = QDir::cleanPath(configDir);
    RequestTables tables;
    GeneralParameter parameters;
    try {
        tables = ReadRequestTables(layout::SetAccessPath(config));
        parameters = ReadGeneralParameter(layout::ParGenPath(config));
    } catch (const VeldrinError& error) {
        err << "veldrin-cli map: " << error.message() << '\n';
        return ExitUsage;
    }

    const SerialLine line =
        SerialLineOf(parameters.Baud_Rate, parameters.Parity, parameters.Ser_StopBits, parameters.Ser_Prot);
    double percent = 0;
    double cycleMs = 0;
    bool inputOverlaps = false;
    QJsonArray areas;
    QJsonArray loads;
    for (TableKind kind : Kinds) {
        const AreaMap map = MapDataArea(kind, tables.table(kind));
        const TableLoad load = TableBusLoad(kind, tables.table(kind), line, turnaroundMs);
        inputOverlaps = inputOverlaps || (kind == TableKind::Read && !map.overlaps.empty());
        percent += load.percent;
        cycleMs += load.cycleMs;
        if (commandLine.isSet(m_jsonOption)) {
            areas.append(areaJson(map));
            loads.append(loadJson(kind, load));
            continue;
        }
        printArea(map, out);
        out << "Bus load of the " << tableName(kind) << " rows: " << QString::number(load.percent, 'f', 1)
            << " %, shortest cycle " << QString::number(load.cycleMs, 'f', 2) << " ms\n";
        for (const RowLoad& row : load.rows)
            out << "  row " << row.row << ": FC"
                << QStringLiteral("%1").arg(row.functionCode, 2, 10, QChar(u'0')) << ", "
                << QString::number(row.ms, 'f', 2) << " ms"
                << (row.pollTimeMs > 0 ? QStringLiteral(", every %1 ms").arg(row.pollTimeMs)
                                       : QStringLiteral(", on change only"))
                << (row.overPollTime ? ", longer than its poll time" : "") << '\n';
    }
    if (commandLine.isSet(m_jsonOption)) {
        const QJsonObject report{
            {QStringLiteral("areas"), areas},
            {QStringLiteral("busLoad"), QJsonObject{{QStringLiteral("line"), SerialLineName(line)},
                                                    {QStringLiteral("baud"), static_cast<qint64>(line.baud)},
                                                    {QStringLiteral("ascii"), line.ascii},
                                                    {QStringLiteral("turnaroundMs"), turnaroundMs},
                                                    {QStringLiteral("percent"), rounded(percent)},
                                                    {QStringLiteral("cycleMs"), rounded(cycleMs)},
                                                    {QStringLiteral("tables"), loads}}}};
        out << QJsonDocument(report).toJson(QJsonDocument::Indented);
    } else {
        out << "Bus load " << QString::number(percent, 'f', 1) << " % at " << SerialLineName(line)
            << ", shortest cycle " << QString::number(cycleMs, 'f', 2)
            << " ms (an estimate from frame sizes, gaps and a turnaround of " << turnaroundMs
            << " ms, not a measurement)\n";
    }
    return inputOverlaps || percent > 100 ? ExitFailed : ExitOk;
}

} // namespace veldrin::cli
