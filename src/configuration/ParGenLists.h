// The fixed entries of the lists whose indexes ParGen.xml holds, as the Communication dialog
// shows them and the image reports name them. The device types come from the string table.
#pragma once

#include <QStringList>

#include <array>
#include <cstdint>

namespace veldrin::pargen {

inline constexpr std::array EthernetProtocols = {"TCP", "UDP"};
inline constexpr std::array SerialLines = {"RS232", "RS485"};
inline constexpr std::array<std::uint32_t, 8> BaudRates = {1200,  2400,  4800,  9600,
                                                           19200, 38400, 57600, 115200};
inline constexpr std::array Parities = {"NONE", "ODD", "EVEN"};
inline constexpr std::array StopBits = {"1", "2"};
inline constexpr std::array SerialProtocols = {"Modbus RTU", "Modbus ASCII"};

// The entries as the dialog's list shows them.
template <std::size_t N> QStringList Entries(const std::array<const char*, N>& list)
{
    QStringList entries;
    for (const char* entry : list)
        entries.append(QString::fromLatin1(entry));
    return entries;
}
template <std::size_t N> QStringList Entries(const std::array<std::uint32_t, N>& list)
{
    QStringList entries;
    for (std::uint32_t entry : list)
        entries.append(QString::number(entry));
    return entries;
}

} // namespace veldrin::pargen
