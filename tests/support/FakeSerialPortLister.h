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

    QList<SerialPort> ports;
    int calls = 0;
};

} // namespace veldrin::test
