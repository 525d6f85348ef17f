// The system's own port list, in a file of its own: only the module that lists ports links the
// serial-port library, so the configurator starts without it.
#include "update/SerialPorts.h"

#include <QFileInfo>
#include <QSerialPortInfo>

namespace veldrin {

QList<SerialPort> SystemSerialPortLister::EnumPorts()
{
    QList<SerialPort> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        SerialPort port;
        port.name = info.portName();
        port.description = info.description();
        if (!info.manufacturer().isEmpty() && !port.description.contains(info.manufacturer()))
            port.description = port.description.isEmpty()
                                   ? info.manufacturer()
                                   : port.description + QStringLiteral(", ") + info.manufacturer();
#ifndef Q_OS_WIN
        // A device file the user may not write: usually membership of the dialout group is missing.
        port.usable = QFileInfo(info.systemLocation()).isWritable();
#endif
        ports.append(port);
    }
    SortPortsNaturally(ports);
    return ports;
}

} // namespace veldrin
