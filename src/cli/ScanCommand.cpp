#include "cli/ScanCommand.h"

#include "cli/PollReport.h"
#include "comm/GeneralParameterFile.h"
#include "common/VeldrinError.h"
#include "configuration/ParGenLists.h"
#include "configuration/WorkspaceLayout.h"
#include "lang/StringTable.h"
#include "poll/SerialPortPath.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>

namespace veldrin::cli {
namespace {

// A list index of ParGen.xml for the option's text, or -1.
int indexOf(const QStringList& list, const QString& text)
{
    return static_cast<int>(list.indexOf(text.trimmed().toLower()));
}

} // namespace

ScanCommand::ScanCommand(QString programDir)
    : m_languageOption(std::move(programDir)),
      m_portOption(QStringLiteral("port"), QStringLiteral("The serial port, as for poll."),
                   QStringLiteral("PATH")),
      m_idsOption(QStringLiteral("ids"),
                  QStringLiteral("The slave ids to try, e.g. 1-10,20 (default: 1-247)."),
                  QStringLiteral("LIST"), QStringLiteral("1-247")),
      m_baudOption(QStringLiteral("baud"),
                   QStringLiteral("The baud rate: 1200, 2400, 4800, 9600, 19200, 38400, 57600 or 115200."),
                   QStringLiteral("B")),
      m_parityOption(QStringLiteral("parity"), QStringLiteral("none, even or odd."), QStringLiteral("P")),
      m_stopBitsOption(QStringLiteral("stop-bits"), QStringLiteral("1 or 2."), QStringLiteral("N")),
      m_framingOption(QStringLiteral("framing"), QStringLiteral("rtu or ascii."), QStringLiteral("F")),
      m_timeoutOption(QStringLiteral("timeout"),
                      QStringLiteral("How long to wait for each id, in ms, 1 to 60000 (default: 100)."),
                      QStringLiteral("MS"), QStringLiteral("100")),
      m_probeOption(
          QStringLiteral("probe"),
          QStringLiteral("The request sent to each id, FC:ADDRESS:COUNT with FC 1 to 4 (default: 3:0:1, "
                         "one holding register at address 0)."),
          QStringLiteral("PROBE"), QStringLiteral("3:0:1")),
      m_jsonOption(QStringLiteral("json"), QStringLiteral("Prints the ids found as JSON (see the README)."))
{}

QString ScanCommand::description() const
{
    return QStringLiteral("Lists the slave ids that answer on a serial line: each id is sent one read\n"
                          "request, and an answer, even an exception, shows a slave is there. Takes the\n"
                          "line settings from CONFIG_DIR's ParGen.xml when given (the options below\n"
                          "override them), else from the options (default 115200 8N1, RTU). Exits with 0\n"
                          "when a slave answered, 1 when none did, 2 on a wrong command line or a port\n"
                          "that cannot be opened.");
}

QList<CliArgument> ScanCommand::arguments() const
{
    return {{QStringLiteral("CONFIG_DIR"),
             QStringLiteral("A configuration folder whose serial settings are used."), true}};
}

QList<QCommandLineOption> ScanCommand::options() const
{
    return QList<QCommandLineOption>{m_portOption,    m_idsOption,      m_baudOption,
                                     m_parityOption,  m_stopBitsOption, m_framingOption,
                                     m_timeoutOption, m_probeOption,    m_jsonOption} +
           m_languageOption.options();
}

int ScanCommand::run(const QCommandLineParser& commandLine, QTextStream& out, QTextStream& err)
{
    m_languageOption.read(commandLine);
    const auto usage = [&](const QString& message) {
        err << "veldrin-cli scan: " << message << '\n';
        return ExitUsage;
    };
    if (!commandLine.isSet(m_portOption))
        return usage(QStringLiteral("--port is required"));
    const auto ids = ParseNumberList(commandLine.value(m_idsOption), 1, 247);
    if (!ids)
        return usage(QStringLiteral("--ids takes slave ids from 1 to 247, such as 1-10,20"));
    bool ok = false;
    const int timeoutMs = commandLine.value(m_timeoutOption).toInt(&ok);
    if (!ok || timeoutMs < 1 || timeoutMs > 60000)
        return usage(QStringLiteral("--timeout takes milliseconds from 1 to 60000"));
    const QStringList probeParts = commandLine.value(m_probeOption).split(u':');
    ScanProbe probe;
    bool fcOk = false;
    bool addressOk = false;
    bool countOk = false;
    if (probeParts.size() == 3) {
        probe.functionCode = probeParts[0].toInt(&fcOk);
        probe.address = probeParts[1].toInt(&addressOk);
        probe.points = probeParts[2].toInt(&countOk);
    }
    const int maxPoints = probe.functionCode <= 2 ? 2000 : 125;
    if (!fcOk || !addressOk || !countOk || probe.functionCode < 1 || probe.functionCode > 4 ||
        probe.address < 0 || probe.address > 65535 || probe.points < 1 || probe.points > maxPoints)
        return usage(QStringLiteral("--probe takes FC:ADDRESS:COUNT, such as 3:0:1"));

    GeneralParameter parameters;
    if (!commandLine.positionalArguments().isEmpty()) {
        const QString configDir = commandLine.positionalArguments().constFirst();
        if (!QFileInfo(configDir).isDir())
            return usage(QDir::toNativeSeparators(configDir) + QStringLiteral(" is not a folder"));
        try {
            parameters = ReadGeneralParameter(layout::ParGenPath(QDir::cleanPath(configDir)));
        } catch (const VeldrinError& error) {
            return usage(error.message());
        }
    }
    if (commandLine.isSet(m_baudOption)) {
        const auto& rates = pargen::BaudRates;
        const auto found = std::find(rates.begin(), rates.end(), commandLine.value(m_baudOption).toUInt());
        if (found == rates.end())
            return usage(
                QStringLiteral("--baud takes 1200, 2400, 4800, 9600, 19200, 38400, 57600 or 115200"));
        parameters.Baud_Rate = static_cast<int>(found - rates.begin());
    }
    if (commandLine.isSet(m_parityOption)) {
        parameters.Parity = indexOf({QStringLiteral("none"), QStringLiteral("odd"), QStringLiteral("even")},
                                    commandLine.value(m_parityOption));
        if (parameters.Parity < 0)
            return usage(QStringLiteral("--parity takes none, even or odd"));
    }
    if (commandLine.isSet(m_stopBitsOption)) {
        parameters.Ser_StopBits =
            indexOf({QStringLiteral("1"), QStringLiteral("2")}, commandLine.value(m_stopBitsOption));
        if (parameters.Ser_StopBits < 0)
            return usage(QStringLiteral("--stop-bits takes 1 or 2"));
    }
    if (commandLine.isSet(m_framingOption)) {
        parameters.Ser_Prot =
            indexOf({QStringLiteral("rtu"), QStringLiteral("ascii")}, commandLine.value(m_framingOption));
        if (parameters.Ser_Prot < 0)
            return usage(QStringLiteral("--framing takes rtu or ascii"));
    }

    StringTable strings;
    m_languageOption.selectLanguage(strings);
    PollSettings settings;
    settings.port = commandLine.value(m_portOption);
    settings.line =
        SerialLineOf(parameters.Baud_Rate, parameters.Parity, parameters.Ser_StopBits, parameters.Ser_Prot);
    settings.timeoutMs = timeoutMs;
    PollEngine engine;
    if (const auto message = RunPoll(engine, settings, ScanRequests(*ids, probe), strings)) {
        err << *message << '\n';
        return ExitUsage;
    }
    const std::vector<int> present = PresentSlaves(engine.results());
    if (commandLine.isSet(m_jsonOption)) {
        QJsonObject report = RunJson(engine, settings);
        QJsonArray found;
        for (const RowResult& result : engine.results()) {
            if (result.answered == 0)
                continue;
            QJsonObject entry{{QStringLiteral("slave"), result.request.slave},
                              {QStringLiteral("status"), StatusName(result.status)}};
            if (result.status == RowStatus::Exception) {
                entry.insert(QStringLiteral("exceptionCode"), result.exceptionCode);
                entry.insert(QStringLiteral("exceptionName"), ExceptionName(result.exceptionCode));
            }
            found.append(entry);
        }
        report.insert(QStringLiteral("idsTried"), static_cast<int>(ids->size()));
        report.insert(QStringLiteral("present"), found);
        out << QJsonDocument(report).toJson(QJsonDocument::Indented);
        return present.empty() ? ExitFailed : ExitOk;
    }
    out << "Scanned " << ids->size() << " ids on " << QDir::toNativeSeparators(engine.portPath()) << " at "
        << SerialLineName(settings.line) << (settings.line.ascii ? ", Modbus ASCII" : ", Modbus RTU") << '\n';
    for (const RowResult& result : engine.results()) {
        if (result.answered > 0)
            out << "Slave " << result.request.slave << ": " << RowStatusText(result, strings) << '\n';
    }
    if (engine.end() == PollEnd::PortLost)
        out << PortLostMessage(engine.portPath(), engine.portError(), strings) << '\n';
    out << "Slaves present: " << IdList(present, strings) << '\n';
    return present.empty() ? ExitFailed : ExitOk;
}

} // namespace veldrin::cli
