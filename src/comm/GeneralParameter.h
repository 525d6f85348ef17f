// The communication parameters of one configuration, as ParGen.xml holds them.
#pragma once

#include <QString>
#include <QStringList>

namespace veldrin {

// Text fields keep what the user typed, untouched; list fields are zero-based indexes into
// the lists below (or whatever index the file held, even outside its list).
struct GeneralParameter {
    int Device_Type = 0;
    QString IP1 = QStringLiteral("192");
    QString IP2 = QStringLiteral("168");
    QString IP3 = QStringLiteral("0");
    QString IP4 = QStringLiteral("5");
    QString SUB1 = QStringLiteral("255");
    QString SUB2 = QStringLiteral("255");
    QString SUB3 = QStringLiteral("255");
    QString SUB4 = QStringLiteral("0");
    QString GAT1 = QStringLiteral("192");
    QString GAT2 = QStringLiteral("168");
    QString GAT3 = QStringLiteral("0");
    QString GAT4 = QStringLiteral("1");
    bool EN_GAT = false;
    QString PORT = QStringLiteral("10001");
    int PROT_TYPE = 0;
    int Sel_Ser = 0;
    int Baud_Rate = 7;
    int Parity = 0;
    QString Time_Out = QStringLiteral("1000");
    QString Comm_Idle = QStringLiteral("100");
    int Ser_Prot = 0;
    int Ser_StopBits = 0;

    bool operator==(const GeneralParameter&) const = default;
};

// The fixed entries of the lists; the device types come from the string table (95, 96).
namespace comm_lists {
inline QStringList EthernetProtocols()
{
    return {QStringLiteral("TCP"), QStringLiteral("UDP")};
}
inline QStringList SerialLines()
{
    return {QStringLiteral("RS232"), QStringLiteral("RS485")};
}
inline QStringList BaudRates()
{
    return {QStringLiteral("1200"),  QStringLiteral("2400"),  QStringLiteral("4800"),
            QStringLiteral("9600"),  QStringLiteral("19200"), QStringLiteral("38400"),
            QStringLiteral("57600"), QStringLiteral("115200")};
}
inline QStringList Parities()
{
    return {QStringLiteral("NONE"), QStringLiteral("ODD"), QStringLiteral("EVEN")};
}
inline QStringList StopBits()
{
    return {QStringLiteral("1"), QStringLiteral("2")};
}
inline QStringList SerialProtocols()
{
    return {QStringLiteral("Modbus RTU"), QStringLiteral("Modbus ASCII")};
}
} // namespace comm_lists

} // namespace veldrin
