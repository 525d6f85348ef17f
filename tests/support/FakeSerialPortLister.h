// Serial ports for tests.
#pragma once

#include "update/SerialPorts.h"

namespace veldrin::test {

class FakeSerialPortLister : public SerialPortLister {
public:
    QList<SerialPort> EnumPorts() override
    {
        ++calls;
        return ports;
    }

    QString unavailableReason() const override { return reason; }

    QList<SerialPort> ports;
    QString reason;
    int calls = 0;
};

} // namespace veldrin::test
