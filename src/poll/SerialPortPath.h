// The serial port a test poll opens: the path the user chose or typed, made canonical, and
// the one message that says why it cannot be opened.
#pragma once

#include <QSerialPort>
#include <QString>

#include <optional>

namespace veldrin {

class StringTable;

// A listed name ("ttyUSB0") becomes its device path; a typed path, a link such as
// /dev/serial/by-id/..., becomes the device it leads to. Nothing when no such device exists.
std::optional<QString> CanonicalPortPath(const QString& chosen);

// Why the port at path could not be opened, from the error and the reason the serial-port
// service gave: missing, busy (held by another program), not permitted (the dialout advice),
// or anything else with the service's reason.
QString PortOpenMessage(const QString& path, QSerialPort::SerialPortError error, const QString& reason,
                        const StringTable& strings);

// What is said when the port failed during a run (an adapter pulled out), with its reason.
QString PortLostMessage(const QString& path, const QString& reason, const StringTable& strings);

} // namespace veldrin
