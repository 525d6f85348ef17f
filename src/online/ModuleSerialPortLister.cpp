#include "online/ModuleSerialPortLister.h"

#include "online/OnlineModule.h"
#include "online/OnlineServices.h"

namespace veldrin {

QList<SerialPort> ModuleSerialPortLister::EnumPorts()
{
    OnlineServices* services = m_module.services();
    return services ? services->serialPorts() : QList<SerialPort>();
}

QString ModuleSerialPortLister::unavailableReason() const
{
    return m_module.errorString();
}

} // namespace veldrin
