// The serial ports as the online module lists them, loaded at the first listing.
#pragma once

#include "update/SerialPorts.h"

namespace veldrin {

class OnlineModule;

class ModuleSerialPortLister : public SerialPortLister {
public:
    explicit ModuleSerialPortLister(OnlineModule& module) : m_module(module) {}

    // No port without the module; the reason is in the module's error.
    QList<SerialPort> EnumPorts() override;
    QString unavailableReason() const override;

private:
    OnlineModule& m_module;
};

} // namespace veldrin
