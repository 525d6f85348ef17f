#include "poll/PollResults.h"

#include "lang/StringTable.h"
#include "poll/ModbusFrames.h"
#include "poll/PollTexts.h"

#include <QStringList>

#include <set>

namespace veldrin {

namespace {

int expectedByteCount(const PollRequest& request)
{
    const bool bits = request.functionCode == 1 || request.functionCode == 2;
    return bits ? (request.points + 7) / 8 : 2 * request.points;
}

std::optional<std::vector<std::uint16_t>> readValues(const PollRequest& request, const QByteArray& data)
{
    const int count = expectedByteCount(request);
    if (data.size() != 1 + count || static_cast<std::uint8_t>(data[0]) != count)
        return std::nullopt;
    std::vector<std::uint16_t> values;
    const bool bits = request.functionCode == 1 || request.functionCode == 2;
    for (int point = 0; point < request.points; ++point) {
        if (bits) {
            const auto byte = static_cast<std::uint8_t>(data[1 + point / 8]);
            values.push_back(static_cast<std::uint16_t>((byte >> (point % 8)) & 1));
        } else {
            values.push_back(static_cast<std::uint16_t>(static_cast<std::uint8_t>(data[1 + 2 * point]) << 8 |
                                                        static_cast<std::uint8_t>(data[2 + 2 * point])));
        }
    }
    return values;
}

// A write is answered by its own first four data bytes (FC 15, 16) or by itself (FC 5, 6).
bool echoesWrite(const PollRequest& request, const QByteArray& data)
{
    const QByteArray& sent = request.pdu.data;
    if (request.functionCode == 5 || request.functionCode == 6)
        return data == sent;
    return data.size() == 4 && sent.startsWith(data);
}

RowStatus statusOf(RowResult& result, const ReceivedFrame& answer)
{
    const PollRequest& request = result.request;
    if (answer.fault == FrameFault::Check)
        return RowStatus::CheckError;
    if (answer.fault == FrameFault::Framing)
        return RowStatus::FramingError;
    if (answer.slave != request.slave) {
        result.answerSlave = answer.slave;
        return RowStatus::WrongSlave;
    }
    if (answer.pdu.function() != request.functionCode)
        return RowStatus::WrongAnswer;
    if (answer.pdu.isException()) {
        result.exceptionCode = answer.pdu.exceptionCode();
        return RowStatus::Exception;
    }
    if (request.write())
        return echoesWrite(request, answer.pdu.data) ? RowStatus::Ok : RowStatus::WrongAnswer;
    const auto values = readValues(request, answer.pdu.data);
    if (!values)
        return RowStatus::WrongAnswer;
    result.values = *values;
    return RowStatus::Ok;
}

} // namespace

void TakeAnswer(RowResult& result, const ReceivedFrame& answer)
{
    result.status = statusOf(result, answer);
    ++result.sent;
    if (result.status == RowStatus::Ok || result.status == RowStatus::Exception)
        ++result.answered;
    else
        ++result.failed;
}

void TakeTimeout(RowResult& result)
{
    result.status = RowStatus::Timeout;
    ++result.sent;
    ++result.failed;
}

QString ExceptionName(int code)
{
    switch (code) {
    case 1:
        return QStringLiteral("Illegal Function");
    case 2:
        return QStringLiteral("Illegal Data Address");
    case 3:
        return QStringLiteral("Illegal Data Value");
    case 4:
        return QStringLiteral("Server Device Failure");
    case 5:
        return QStringLiteral("Acknowledge");
    case 6:
        return QStringLiteral("Server Device Busy");
    case 7:
        return QStringLiteral("Negative Acknowledge");
    case 8:
        return QStringLiteral("Memory Parity Error");
    case 10:
        return QStringLiteral("Gateway Path Unavailable");
    case 11:
        return QStringLiteral("Gateway Target Device Failed to Respond");
    default:
        return QStringLiteral("Unknown Exception");
    }
}

QString RowStatusText(const RowResult& result, const StringTable& strings)
{
    switch (result.status) {
    case RowStatus::NotRun:
        return strings[polltext::StatusNotRun];
    case RowStatus::NotSent:
        return strings[polltext::StatusNotSent];
    case RowStatus::Ok:
        return strings[polltext::StatusOk];
    case RowStatus::Timeout:
        return strings[polltext::StatusTimeout];
    case RowStatus::Exception:
        return strings[polltext::StatusException]
            .arg(result.exceptionCode)
            .arg(ExceptionName(result.exceptionCode));
    case RowStatus::CheckError:
        return strings[polltext::StatusCheck];
    case RowStatus::FramingError:
        return strings[polltext::StatusFraming];
    case RowStatus::WrongSlave:
        return strings[polltext::StatusWrongSlave].arg(result.answerSlave);
    case RowStatus::WrongAnswer:
        return strings[polltext::StatusWrongAnswer];
    }
    return {};
}

QString ValuesText(const RowResult& result)
{
    QStringList values;
    const bool bits = result.request.functionCode == 1 || result.request.functionCode == 2;
    if (bits) {
        QString text;
        for (std::uint16_t value : result.values)
            text.append(value != 0 ? u'1' : u'0');
        return text;
    }
    for (std::uint16_t value : result.values)
        values.append(QStringLiteral("%1 (0x%2)")
                          .arg(value)
                          .arg(QString::number(value, 16).toUpper().rightJustified(4, u'0')));
    return values.join(QStringLiteral(", "));
}

PollSummary Summarize(const std::vector<RowResult>& results, int rounds, std::optional<double> cycleMs,
                      const SerialLine& line)
{
    std::set<int> answered;
    std::set<int> asked;
    PollSummary summary;
    for (const RowResult& result : results) {
        if (result.sent == 0)
            continue;
        asked.insert(result.request.slave);
        if (result.answered > 0)
            answered.insert(result.request.slave);
        summary.estimateMs += TransactionMs(line, result.request.functionCode, result.request.points, 0);
    }
    for (int slave : asked) {
        if (answered.count(slave) != 0)
            summary.answered.push_back(slave);
        else
            summary.silent.push_back(slave);
    }
    summary.rounds = rounds;
    summary.cycleMs = cycleMs;
    return summary;
}

QStringList SummaryLines(const PollSummary& summary, const StringTable& strings)
{
    const auto ids = [&](const std::vector<int>& slaves) {
        QStringList texts;
        for (int id : slaves)
            texts.append(QString::number(id));
        return texts.isEmpty() ? strings[polltext::NoSlaves] : texts.join(QStringLiteral(", "));
    };
    QStringList lines{strings[polltext::Answered].arg(ids(summary.answered)),
                      strings[polltext::NeverAnswered].arg(ids(summary.silent))};
    if (summary.cycleMs)
        lines.append(strings[polltext::Cycle].arg(QString::number(*summary.cycleMs, 'f', 1),
                                                  QString::number(summary.estimateMs, 'f', 1)));
    return lines;
}

AnsweredRows ReadRowsAnswered(const std::vector<RowResult>& results)
{
    AnsweredRows rows;
    for (const RowResult& result : results) {
        if (result.request.write() || result.sent == 0)
            continue;
        const bool ok = result.status == RowStatus::Ok || result.status == RowStatus::Exception;
        (ok ? rows.answered : rows.silent).push_back(result.request.row);
    }
    return rows;
}

std::vector<int> PresentSlaves(const std::vector<RowResult>& results)
{
    std::vector<int> present;
    for (const RowResult& result : results) {
        if (result.answered > 0)
            present.push_back(result.request.slave);
    }
    return present;
}

} // namespace veldrin
