#include "cli/PollReport.h"

#include "lang/StringTable.h"
#include "poll/PollTexts.h"
#include "poll/SerialPortPath.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QStringList>

#include <cmath>

namespace veldrin::cli {
namespace {

double rounded(double value)
{
    return std::round(value * 100) / 100;
}

QString ms(double value)
{
    return QString::number(value, 'f', 1);
}

} // namespace

std::optional<QString> RunPoll(PollEngine& engine, const PollSettings& settings,
                               std::vector<PollRequest> requests, const StringTable& strings)
{
    QEventLoop loop;
    QObject::connect(&engine, &PollEngine::finished, &loop, &QEventLoop::quit);
    if (const auto failure = engine.start(settings, std::move(requests)))
        return PortOpenMessage(failure->port, failure->error, failure->reason, strings);
    if (engine.running())
        loop.exec();
    return std::nullopt;
}

QString EndName(PollEnd end)
{
    switch (end) {
    case PollEnd::Running:
        return QStringLiteral("running");
    case PollEnd::Done:
        return QStringLiteral("done");
    case PollEnd::Stopped:
        return QStringLiteral("stopped");
    case PollEnd::PortLost:
        return QStringLiteral("portLost");
    }
    return {};
}

QString StatusName(RowStatus status)
{
    switch (status) {
    case RowStatus::NotRun:
        return QStringLiteral("notRun");
    case RowStatus::NotSent:
        return QStringLiteral("notSent");
    case RowStatus::Ok:
        return QStringLiteral("ok");
    case RowStatus::Timeout:
        return QStringLiteral("timeout");
    case RowStatus::Exception:
        return QStringLiteral("exception");
    case RowStatus::CheckError:
        return QStringLiteral("checkError");
    case RowStatus::FramingError:
        return QStringLiteral("framingError");
    case RowStatus::WrongSlave:
        return QStringLiteral("wrongSlave");
    case RowStatus::WrongAnswer:
        return QStringLiteral("wrongAnswer");
    }
    return {};
}

QJsonObject RowJson(const RowResult& result, const StringTable& strings, bool ascii)
{
    const PollRequest& request = result.request;
    QJsonObject row{
        {QStringLiteral("table"), request.write() ? QStringLiteral("write") : QStringLiteral("read")},
        {QStringLiteral("row"), request.row},
        {QStringLiteral("slave"), request.slave},
        {QStringLiteral("functionCode"), request.functionCode},
        {QStringLiteral("address"), request.address},
        {QStringLiteral("points"), request.points},
        {QStringLiteral("status"), StatusName(result.status)},
        {QStringLiteral("statusText"), RowStatusText(result, strings)},
        {QStringLiteral("sent"), result.sent},
        {QStringLiteral("answered"), result.answered},
        {QStringLiteral("failed"), result.failed},
        {QStringLiteral("frame"), FrameText(result.frame, ascii)}};
    if (result.status == RowStatus::Exception) {
        row.insert(QStringLiteral("exceptionCode"), result.exceptionCode);
        row.insert(QStringLiteral("exceptionName"), ExceptionName(result.exceptionCode));
    }
    if (result.status == RowStatus::WrongSlave)
        row.insert(QStringLiteral("answerSlave"), result.answerSlave);
    if (result.lastMs) {
        row.insert(QStringLiteral("lastMs"), rounded(*result.lastMs));
        row.insert(QStringLiteral("minMs"), rounded(*result.minMs));
        row.insert(QStringLiteral("maxMs"), rounded(*result.maxMs));
    }
    if (!request.write()) {
        QJsonArray values;
        for (std::uint16_t value : result.values)
            values.append(value);
        row.insert(QStringLiteral("values"), values);
        row.insert(
            QStringLiteral("inputArea"),
            QJsonObject{{QStringLiteral("firstBit"), static_cast<qint64>(request.landing.first)},
                        {QStringLiteral("lastBit"), static_cast<qint64>(request.landing.last)},
                        {QStringLiteral("firstByte"), static_cast<qint64>(request.landing.firstByte())},
                        {QStringLiteral("lastByte"), static_cast<qint64>(request.landing.lastByte())}});
    }
    return row;
}

QJsonObject SummaryJson(const PollSummary& summary)
{
    QJsonArray answered;
    for (int id : summary.answered)
        answered.append(id);
    QJsonArray silent;
    for (int id : summary.silent)
        silent.append(id);
    QJsonObject json{{QStringLiteral("answered"), answered},
                     {QStringLiteral("silent"), silent},
                     {QStringLiteral("rounds"), summary.rounds},
                     {QStringLiteral("estimateMs"), rounded(summary.estimateMs)}};
    if (summary.cycleMs)
        json.insert(QStringLiteral("cycleMs"), rounded(*summary.cycleMs));
    return json;
}

QJsonObject RunJson(const PollEngine& engine, const PollSettings& settings)
{
    QJsonObject json{
        {QStringLiteral("port"), engine.portPath()},
        {QStringLiteral("line"), SerialLineName(settings.line)},
        {QStringLiteral("framing"), settings.line.ascii ? QStringLiteral("ascii") : QStringLiteral("rtu")},
        {QStringLiteral("timeoutMs"), settings.timeoutMs},
        {QStringLiteral("end"), EndName(engine.end())}};
    if (engine.end() == PollEnd::PortLost)
        json.insert(QStringLiteral("portError"), engine.portError());
    return json;
}

void PrintRow(const RowResult& result, const StringTable& strings, bool ascii, QTextStream& out)
{
    const PollRequest& request = result.request;
    out << (request.write() ? "Write row " : "Row ") << request.row << ": slave " << request.slave << " FC"
        << QStringLiteral("%1").arg(request.functionCode, 2, 10, QChar(u'0')) << " address "
        << request.address << ", " << request.points << (request.points == 1 ? " point: " : " points: ")
        << RowStatusText(result, strings);
    if (result.lastMs)
        out << ", " << ms(*result.lastMs) << " ms (min " << ms(*result.minMs) << ", max " << ms(*result.maxMs)
            << ")";
    if (request.write()) {
        out << "; frame " << FrameText(result.frame, ascii) << '\n';
        return;
    }
    if (!result.values.empty())
        out << "; values " << ValuesText(result);
    out << "; input area " << BitRangeText(request.landing) << '\n';
}

QString IdList(const std::vector<int>& ids, const StringTable& strings)
{
    if (ids.empty())
        return strings[polltext::NoSlaves];
    QStringList texts;
    for (int id : ids)
        texts.append(QString::number(id));
    return texts.join(QStringLiteral(", "));
}

} // namespace veldrin::cli
