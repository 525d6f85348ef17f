// Shared by the communication tests: a readable GeneralParameter in failure messages and the
// data files of tests/data.
#pragma once

#include "comm/GeneralParameter.h"
#include "support/TestData.h"

#include <QFile>

#include <ostream>

namespace veldrin {

inline void PrintTo(const GeneralParameter& r, std::ostream* os)
{
    const QStringList parts = {
        QStringLiteral("Device_Type=%1").arg(r.Device_Type),
        QStringLiteral("IP=%1|%2|%3|%4").arg(r.IP1, r.IP2, r.IP3, r.IP4),
        QStringLiteral("SUB=%1|%2|%3|%4").arg(r.SUB1, r.SUB2, r.SUB3, r.SUB4),
        QStringLiteral("GAT=%1|%2|%3|%4").arg(r.GAT1, r.GAT2, r.GAT3, r.GAT4),
        QStringLiteral("EN_GAT=%1").arg(r.EN_GAT),
        QStringLiteral("PORT=%1").arg(r.PORT),
        QStringLiteral("PROT_TYPE=%1 Sel_Ser=%2 Baud_Rate=%3 Parity=%4")
            .arg(r.PROT_TYPE)
            .arg(r.Sel_Ser)
            .arg(r.Baud_Rate)
            .arg(r.Parity),
        QStringLiteral("Time_Out=%1 Comm_Idle=%2").arg(r.Time_Out, r.Comm_Idle),
        QStringLiteral("Ser_Prot=%1 Ser_StopBits=%2").arg(r.Ser_Prot).arg(r.Ser_StopBits)};
    *os << '{' << parts.join(QStringLiteral(", ")).toStdString() << '}';
}

namespace test {

inline QString DataFile(const char* name)
{
    return DataDir() + u'/' + QString::fromLatin1(name);
}

inline QByteArray ReadDataFile(const char* name)
{
    QFile file(DataFile(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace test
} // namespace veldrin
