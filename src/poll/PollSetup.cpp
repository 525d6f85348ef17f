#include "poll/PollSetup.h"

#include "access/AccessChecks.h"
#include "comm/CommunicationChecks.h"
#include "common/IntOrDefault.h"
#include "lang/StringTable.h"
#include "poll/PollTexts.h"

#include <QRegularExpression>
#include <QStringList>

namespace veldrin {

int PollTimeoutMs(const GeneralParameter& parameters)
{
    const int configured = IntOrDefault(parameters.Time_Out.trimmed(), 0);
    return configured >= 1 && configured <= MaxPollTimeoutMs ? configured : 1000;
}

PollSetup PreparePoll(const GeneralParameter& parameters, const RequestTables& tables,
                      const std::optional<std::vector<int>>& readRows, const WriteValues& values,
                      const StringTable& strings)
{
    PollSetup setup;
    setup.refusal = Controllo_Dati(parameters, strings);
    if (!setup.refusal)
        setup.refusal = Controllo_dati(tables, strings);
    if (setup.refusal)
        return setup;
    setup.line =
        SerialLineOf(parameters.Baud_Rate, parameters.Parity, parameters.Ser_StopBits, parameters.Ser_Prot);
    setup.timeoutMs = PollTimeoutMs(parameters);
    setup.requests = PollRequests(tables, readRows, values);
    return setup;
}

std::optional<std::vector<std::uint16_t>> ParseWriteValues(const QString& text, const PollRequest& write)
{
    const bool bits = write.functionCode == 5 || write.functionCode == 15;
    const int high = bits ? 1 : 65535;
    const QStringList parts = text.split(QRegularExpression(QStringLiteral("[,\\s]+")), Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return std::vector<std::uint16_t>(static_cast<std::size_t>(write.points), 0);
    if (parts.size() != write.points)
        return std::nullopt;
    std::vector<std::uint16_t> values;
    for (const QString& part : parts) {
        bool ok = false;
        const int value = part.toInt(&ok);
        if (!ok || value < 0 || value > high)
            return std::nullopt;
        values.push_back(static_cast<std::uint16_t>(value));
    }
    return values;
}

QString WriteValuesRefusal(const PollRequest& write, const StringTable& strings)
{
    const bool bits = write.functionCode == 5 || write.functionCode == 15;
    return strings[polltext::WriteValuesBad].arg(write.row).arg(write.points).arg(bits ? 1 : 65535);
}

QString WriteConfirmation(const std::vector<PollRequest>& writes, const WriteValues& values,
                          const StringTable& strings)
{
    QStringList lines;
    for (const PollRequest& write : writes) {
        QStringList typed;
        const auto found = values.find(write.row);
        for (int i = 0; i < write.points; ++i) {
            const bool given = found != values.end() && i < static_cast<int>(found->second.size());
            typed.append(QString::number(given ? found->second[static_cast<std::size_t>(i)] : 0));
        }
        lines.append(strings[polltext::WriteLine]
                         .arg(write.row)
                         .arg(write.slave)
                         .arg(write.address)
                         .arg(typed.join(QStringLiteral(", "))));
    }
    return strings[polltext::WriteQuestion].arg(lines.join(QStringLiteral("; ")));
}

} // namespace veldrin
