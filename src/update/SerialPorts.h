// The serial ports of the machine, as the serial update dialog lists them.
#pragma once

#include <QList>
#include <QString>

namespace veldrin {

class StringTable;

struct SerialPort {
    QString name;        // as the updater is given it after "\\.\": "COM3", "ttyUSB0"
    QString description; // what the system says the port is, "" when nothing
    bool usable = true;  // the user may open it
};

// What the serial update dialog says of a port the user may not open: a short line beside
// the list and the advice in full. Both are "" for a usable port.
struct PortAccessAdvice {
    QString hint;
    QString advice;
};
PortAccessAdvice AccessAdviceFor(const SerialPort& port, const StringTable& strings);

// Lists the ports without opening them, so no modem line moves on attached equipment.
class SerialPortLister {
public:
    virtual ~SerialPortLister() = default;
    virtual QList<SerialPort> EnumPorts() = 0;
    // Why the last listing could not look for ports at all; "" when it could.
    virtual QString unavailableReason() const { return {}; }
};

// The ports sorted by name in natural order: ttyS2 before ttyS10, COM3 before COM12.
void SortPortsNaturally(QList<SerialPort>& ports);

// The ports the system knows of.
class SystemSerialPortLister : public SerialPortLister {
public:
    QList<SerialPort> EnumPorts() override;
};

} // namespace veldrin
