// What veldrin-cli poll and scan share: running a poll to its end, the options of the serial
// line, and the results as text or as JSON (the README documents the keys).
#pragma once

#include "poll/PollEngine.h"

#include <QJsonObject>
#include <QString>
#include <QTextStream>

namespace veldrin {
class StringTable;
}

namespace veldrin::cli {

// Starts the run and waits in an event loop until it ends; the port's message when it does not
// open (nothing was sent then).
std::optional<QString> RunPoll(PollEngine& engine, const PollSettings& settings,
                               std::vector<PollRequest> requests, const StringTable& strings);

// "done", "stopped", "portLost".
QString EndName(PollEnd end);
// "ok", "timeout", "exception", ...
QString StatusName(RowStatus status);

QJsonObject RowJson(const RowResult& result, const StringTable& strings, bool ascii);
QJsonObject SummaryJson(const PollSummary& summary);
// The run's settings and how it ended, for the JSON's top level.
QJsonObject RunJson(const PollEngine& engine, const PollSettings& settings);

// One line per row: what was asked, the outcome, round trips, values and where they land.
void PrintRow(const RowResult& result, const StringTable& strings, bool ascii, QTextStream& out);
// "1, 2, 5" or "none".
QString IdList(const std::vector<int>& ids, const StringTable& strings);

} // namespace veldrin::cli
