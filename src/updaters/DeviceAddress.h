// How a device is named on the command line or in Ethernet_Update.xml, and the folder of
// DEVICES that stands for it.
#pragma once

#include <QString>

#include <optional>

namespace veldrin::updaters {

// The prefix of the serial command line's port field: "\\.\".
inline constexpr char SerialPortPrefix[] = "\\\\.\\";

// The port name of a field "\\.\ttyUSB0" ("ttyUSB0"), or nothing when the field lacks the
// prefix or the name could leave DEVICES: a port name is 1 to 64 letters, digits, "-", "_"
// and ".", neither beginning nor ending with ".".
std::optional<QString> PortNameOfField(const QString& field);

// The folder name of DEVICES for a port. Windows cannot make a folder named after one of its
// own devices (CON, NUL, COM1 to COM9, LPT1 to LPT9, ...), so with windowsNames such a name
// gets a "_" after it ("COM3_"); elsewhere the name is the port name.
QString DeviceFolderOfPort(const QString& portName, bool windowsNames);
// The rule of the platform the updater runs on.
QString DeviceFolderOfPort(const QString& portName);

// A device's IPv4 address: four parts separated by ".", each a number from 0 to 255 in the
// configurator's integer syntax, blanks around a part allowed; refused are 0.x.x.x, multicast
// (224 to 239) and 255.255.255.255, which name no single device. Gives the address in dotted
// decimal ("192.168.2.205"), which is also its folder name, or nothing.
std::optional<QString> DeviceAddressOf(const QString& text);

} // namespace veldrin::updaters
