// What a test poll needs before it starts, taken from a configuration: the checks OK runs, the
// serial line and time-out of the device, the requests, and the values and confirmation of an
// opt-in to send the write rows.
#pragma once

#include "access/BusLoad.h"
#include "access/RequestTables.h"
#include "comm/GeneralParameter.h"
#include "poll/PollRequest.h"

#include <QString>

#include <optional>
#include <vector>

namespace veldrin {

class StringTable;

// The longest time-out a poll waits for one answer.
inline constexpr int MaxPollTimeoutMs = 60000;

struct PollSetup {
    // The first message of the checks OK would show; nothing is sent when there is one.
    std::optional<QString> refusal;
    SerialLine line;
    // The device's Time_Out when it lies within 1 to MaxPollTimeoutMs, else 1000.
    int timeoutMs = 1000;
    std::vector<PollRequest> requests;
};

// The device's Time_Out when it lies within 1 to MaxPollTimeoutMs, else 1000.
int PollTimeoutMs(const GeneralParameter& parameters);

PollSetup PreparePoll(const GeneralParameter& parameters, const RequestTables& tables,
                      const std::optional<std::vector<int>>& readRows, const WriteValues& values,
                      const StringTable& strings);

// The values typed for a write row: one per point, separated by commas or blanks, 0 to 65535
// for a register and 0 or 1 for a coil. Nothing when the text is not such a list; an empty
// text gives zeros.
std::optional<std::vector<std::uint16_t>> ParseWriteValues(const QString& text, const PollRequest& write);
// Why the text typed for a write row is refused.
QString WriteValuesRefusal(const PollRequest& write, const StringTable& strings);

// The question asked before write requests are sent, naming each with its slave, address and
// values.
QString WriteConfirmation(const std::vector<PollRequest>& writes, const WriteValues& values,
                          const StringTable& strings);

} // namespace veldrin
