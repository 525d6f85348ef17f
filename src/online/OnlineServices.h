// What the configurator takes from its online module the first time it needs it: the version
// query over HTTP, the list of serial ports and the test poll. They bring the network and serial-port
// libraries, which start-up would otherwise load for nothing.
#pragma once

#include "poll/PollRunner.h"
#include "update/SerialPorts.h"

#include <QList>
#include <QUrl>

#include <functional>
#include <memory>

namespace veldrin {

class OnlineServices {
public:
    // One version query; answered is called with each answer, never after the query is gone.
    class VersionQuery {
    public:
        virtual ~VersionQuery() = default;
        virtual void start() = 0;
        virtual bool isRunning() const = 0;
        // Whether the last answer came from the server.
        virtual bool answered() const = 0;
    };

    virtual std::unique_ptr<VersionQuery>
    newVersionQuery(const QUrl& url, int deadlineMs, std::function<void(bool newerVersion)> answered) = 0;
    virtual QList<SerialPort> serialPorts() = 0;
    // A test poll on a serial port of this PC.
    virtual std::unique_ptr<PollRunner> newPollRunner() = 0;

protected:
    ~OnlineServices() = default;
};

// The module's one entry point: OnlineServices* veldrin_online_services(), living as long as
// the program.
inline constexpr char OnlineServicesEntry[] = "veldrin_online_services";
using OnlineServicesEntryFunction = OnlineServices* (*)();

} // namespace veldrin
