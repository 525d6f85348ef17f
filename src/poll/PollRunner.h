// A test poll as the windows drive it: started with the port and line settings, stopped at
// once, and read back as results, traffic and summary. The running one lives in the online
// module with the serial-port library, so the configurator does not load it at start-up.
#pragma once

#include "access/BusLoad.h"
#include "poll/PollRequest.h"
#include "poll/PollResults.h"
#include "poll/TrafficLog.h"

#include <QSerialPort>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace veldrin {

struct PollSettings {
    // As chosen or typed; the run opens its canonical path.
    QString port;
    SerialLine line;
    int timeoutMs = 1000;
    // 0: until stopped.
    int rounds = 1;
    // The explicit opt-in: without it no write request leaves the port.
    bool sendWrites = false;
};

// Why the port did not open: the serial-port service's error and its reason.
struct PortOpenFailure {
    QString port;
    QSerialPort::SerialPortError error = QSerialPort::NoError;
    QString reason;
};

enum class PollEnd { Running, Done, Stopped, PortLost };

class PollRunner {
public:
    virtual ~PollRunner() = default;

    // What the runner tells as the run goes on; an empty function is not called.
    struct Listener {
        // The result at this index changed.
        std::function<void(int index)> rowDone;
        std::function<void(int round)> roundDone;
        std::function<void()> finished;
    };
    virtual void setListener(Listener listener) = 0;

    // Opens the port and starts the run; the failure when the port cannot be opened, and then
    // nothing was sent. A run still going is stopped first.
    virtual std::optional<PortOpenFailure> start(const PollSettings& settings,
                                                 std::vector<PollRequest> requests) = 0;
    // Ends the run at once; finished follows.
    virtual void stop() = 0;

    virtual bool running() const = 0;
    virtual PollEnd end() const = 0;
    // The port's reason when it failed during the run.
    virtual QString portError() const = 0;
    virtual QString portPath() const = 0;
    virtual const std::vector<RowResult>& results() const = 0;
    virtual const TrafficLog& traffic() const = 0;
    virtual int roundsDone() const = 0;
    virtual PollSummary summary() const = 0;
};

// Gives a poll runner for each window that asks.
class PollService {
public:
    virtual ~PollService() = default;
    // Null when no run is possible; unavailableReason() then says why.
    virtual std::unique_ptr<PollRunner> newRunner() = 0;
    virtual QString unavailableReason() const { return {}; }
};

} // namespace veldrin
