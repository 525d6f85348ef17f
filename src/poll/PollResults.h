// What a test poll found: the outcome of each request with its round trips and values, and a
// summary of the slaves and of the cycle against the bus-load estimate.
#pragma once

#include "access/BusLoad.h"
#include "poll/PollRequest.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

namespace veldrin {

class StringTable;

enum class RowStatus {
    NotRun,
    // A write row listed with its frame, not sent: the run has no opt-in to send writes.
    NotSent,
    Ok,
    Timeout,
    // The slave answered with a Modbus exception.
    Exception,
    // A whole frame whose CRC (RTU) or LRC (ASCII) does not match.
    CheckError,
    // Bytes that do not form a frame.
    FramingError,
    // A frame from another slave than the one asked.
    WrongSlave,
    // A well-formed frame that does not answer the request: another function code, a byte
    // count that does not fit the points asked for, a write not echoed.
    WrongAnswer,
};

struct RowResult {
    PollRequest request;
    // The outcome of the request's latest transaction.
    RowStatus status = RowStatus::NotRun;
    int exceptionCode = 0;
    // The slave that answered, for WrongSlave.
    int answerSlave = 0;
    int sent = 0;
    // Transactions that the slave answered, with values or with an exception.
    int answered = 0;
    int failed = 0;
    std::optional<double> lastMs;
    std::optional<double> minMs;
    std::optional<double> maxMs;
    // The values of the latest good answer: registers, or bits as 0 and 1, one per point.
    std::vector<std::uint16_t> values;
    // The frame the request goes out as.
    QByteArray frame;
};

struct ReceivedFrame;

// Takes an answer into the row's result: its status, and for a good read its values, cut to
// the points asked for (an answer carries whole bytes of bits). Counts it as answered or
// failed.
void TakeAnswer(RowResult& result, const ReceivedFrame& answer);
// Counts a transaction that had no answer within its time.
void TakeTimeout(RowResult& result);

// The standard name of a Modbus exception code: "Illegal Function", "Illegal Data Address"...
// These names stay English in every language, as engineers know them from the protocol.
QString ExceptionName(int code);

// The latest outcome as the user reads it: "OK", "Time-out", "Exception 2 (Illegal Data
// Address)"...
QString RowStatusText(const RowResult& result, const StringTable& strings);
// The values: registers in decimal and hex ("1000 (0x03E8)"), bits as 0/1 in point order.
QString ValuesText(const RowResult& result);

struct PollSummary {
    // Slave ids, ascending.
    std::vector<int> answered;
    std::vector<int> silent;
    int rounds = 0;
    // The time of the last whole round, from its first request to its last answer.
    std::optional<double> cycleMs;
    // The bus-load estimate of the requests sent, at the same line settings.
    double estimateMs = 0;
};

PollSummary Summarize(const std::vector<RowResult>& results, int rounds, std::optional<double> cycleMs,
                      const SerialLine& line);

// The summary as the user reads it: the slaves that answered, those that never did, and the
// measured cycle against the estimate once a round is whole.
QStringList SummaryLines(const PollSummary& summary, const StringTable& strings);

// The read rows whose latest transaction the slave answered (values or an exception), and
// those whose latest failed; rows not run are in neither.
struct AnsweredRows {
    std::vector<int> answered;
    std::vector<int> silent;
};
AnsweredRows ReadRowsAnswered(const std::vector<RowResult>& results);

// The ids of a scan that answered, with values or with an exception: either shows a slave is
// there.
std::vector<int> PresentSlaves(const std::vector<RowResult>& results);

} // namespace veldrin
