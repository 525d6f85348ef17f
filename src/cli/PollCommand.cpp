#include "cli/PollCommand.h"

#include "access/RequestTablesFile.h"
#include "cli/PollReport.h"
#include "comm/GeneralParameterFile.h"
#include "common/VeldrinError.h"
#include "configuration/WorkspaceLayout.h"
#include "lang/StringTable.h"
#include "poll/PollSetup.h"
#include "poll/SerialPortPath.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

namespace veldrin::cli {
namespace {

// A whole number from low to high, or nothing.
std::optional<int> numberIn(const QString& text, int low, int high)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

} // namespace

PollCommand::PollCommand(QString programDir)
    : m_languageOption(std::move(programDir)),
      m_portOption(QStringLiteral("port"),
                   QStringLiteral("The serial port: a device path such as /dev/ttyUSB0 or a link such as "
                                  "/dev/serial/by-id/..., or a name such as ttyUSB0."),
                   QStringLiteral("PATH")),
      m_roundsOption(QStringLiteral("rounds"),
                     QStringLiteral("How many times every row is polled (default: 1)."), QStringLiteral("N"),
                     QStringLiteral("1")),
      m_rowsOption(QStringLiteral("rows"),
                   QStringLiteral("Only these read rows, e.g. 1,3-7 (default: every used read row)."),
                   QStringLiteral("LIST")),
      m_timeoutOption(QStringLiteral("timeout"),
                      QStringLiteral("How long to wait for each answer, in ms, 1 to 60000 (default: the "
                                     "configuration's time-out)."),
                      QStringLiteral("MS")),
      m_trafficOption(QStringLiteral("traffic"),
                      QStringLiteral("Saves every frame sent and received to FILE, a line each."),
                      QStringLiteral("FILE")),
      m_jsonOption(QStringLiteral("json"), QStringLiteral("Prints the results as JSON (see the README)."))
{}

QString PollCommand::description() const
{
    return QStringLiteral(
        "Polls the configuration's read rows on a serial line, with the device's baud rate,\n"
        "parity, stop bits and protocol, and shows per row the answer, its round trip, the\n"
        "values and where they land in the input area. Write rows are only listed with the\n"
        "frame they would send: nothing but read requests leaves the port. Exits with 0 when\n"
        "every read row answered, 1 when one did not or the configuration fails its checks,\n"
        "2 when the command line is wrong, a file cannot be read or the port cannot be opened.");
}

QList<CliArgument> PollCommand::arguments() const
{
    return {{QStringLiteral("CONFIG_DIR"),
             QStringLiteral("The configuration folder, holding ParGen.xml and ModbusM_SetAccess.xml.")}};
}

QList<QCommandLineOption> PollCommand::options() const
{
    return QList<QCommandLineOption>{m_portOption,    m_roundsOption,  m_rowsOption,
                                     m_timeoutOption, m_trafficOption, m_jsonOption} +
           m_languageOption.options();
}

int PollCommand::run(const QCommandLineParser& commandLine, QTextStream& out, QTextStream& err)
{
    m_languageOption.read(commandLine);
    const auto usage = [&](const QString& message) {
        err << "veldrin-cli poll: " << message << '\n';
        return ExitUsage;
    };
    if (!commandLine.isSet(m_portOption))
        return usage(QStringLiteral("--port is required"));
    const auto rounds = numberIn(commandLine.value(m_roundsOption), 1, 1000000);
    if (!rounds)
        return usage(QStringLiteral("--rounds takes a number from 1 to 1000000"));
    std::optional<std::vector<int>> rows;
    if (commandLine.isSet(m_rowsOption)) {
        rows = ParseNumberList(commandLine.value(m_rowsOption), 1, RowCount);
        if (!rows)
            return usage(
                QStringLiteral("--rows takes row numbers from 1 to %1, such as 1,3-7").arg(RowCount));
    }
    std::optional<int> timeoutMs;
    if (commandLine.isSet(m_timeoutOption)) {
        timeoutMs = numberIn(commandLine.value(m_timeoutOption), 1, MaxPollTimeoutMs);
        if (!timeoutMs)
            return usage(QStringLiteral("--timeout takes milliseconds from 1 to %1").arg(MaxPollTimeoutMs));
    }
    const QString configDir = commandLine.positionalArguments().constFirst();
    if (!QFileInfo(configDir).isDir())
        return usage(QDir::toNativeSeparators(configDir) + QStringLiteral(" is not a folder"));
    const QString config = QDir::cleanPath(configDir);

    StringTable strings;
    m_languageOption.selectLanguage(strings);
    PollSetup setup;
    try {
        const GeneralParameter parameters = ReadGeneralParameter(layout::ParGenPath(config));
        const RequestTables tables = ReadRequestTables(layout::SetAccessPath(config));
        if (rows && rows->back() > UsedRowCount(tables.Modbus_Read))
            return usage(QStringLiteral("the configuration has %1 used read rows; row %2 is not one of them")
                             .arg(UsedRowCount(tables.Modbus_Read))
                             .arg(rows->back()));
        setup = PreparePoll(parameters, tables, rows, {}, strings);
    } catch (const VeldrinError& error) {
        return usage(error.message());
    }
    if (setup.refusal) {
        err << *setup.refusal << '\n';
        return ExitFailed;
    }

    PollSettings settings;
    settings.port = commandLine.value(m_portOption);
    settings.line = setup.line;
    settings.timeoutMs = timeoutMs.value_or(setup.timeoutMs);
    settings.rounds = *rounds;

    PollEngine engine;
    if (const auto message = RunPoll(engine, settings, std::move(setup.requests), strings)) {
        err << *message << '\n';
        return ExitUsage;
    }
    const bool ascii = settings.line.ascii;
    const PollSummary summary = engine.summary();
    if (commandLine.isSet(m_trafficOption)) {
        try {
            engine.traffic().save(commandLine.value(m_trafficOption));
        } catch (const VeldrinError& error) {
            err << "veldrin-cli poll: " << error.message() << '\n';
            return ExitUsage;
        }
    }

    bool allAnswered = engine.end() == PollEnd::Done;
    for (const RowResult& result : engine.results())
        allAnswered = allAnswered && (result.request.write() || result.status == RowStatus::Ok);

    if (commandLine.isSet(m_jsonOption)) {
        QJsonObject report = RunJson(engine, settings);
        QJsonArray rowsJson;
        for (const RowResult& result : engine.results())
            rowsJson.append(RowJson(result, strings, ascii));
        report.insert(QStringLiteral("rows"), rowsJson);
        report.insert(QStringLiteral("summary"), SummaryJson(summary));
        out << QJsonDocument(report).toJson(QJsonDocument::Indented);
        return allAnswered ? ExitOk : ExitFailed;
    }
    out << "Polled " << QDir::toNativeSeparators(engine.portPath()) << " at " << SerialLineName(settings.line)
        << (ascii ? ", Modbus ASCII" : ", Modbus RTU") << ", time-out " << settings.timeoutMs << " ms, "
        << summary.rounds << (summary.rounds == 1 ? " round\n" : " rounds\n");
    for (const RowResult& result : engine.results())
        PrintRow(result, strings, ascii, out);
    if (engine.end() == PollEnd::PortLost)
        out << PortLostMessage(engine.portPath(), engine.portError(), strings) << '\n';
    for (const QString& line : SummaryLines(summary, strings))
        out << line << '\n';
    return allAnswered ? ExitOk : ExitFailed;
}

} // namespace veldrin::cli
