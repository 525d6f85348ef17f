// Two full request tables (512 read and 512 write rows) that pass the checks, for benchmarks.
#pragma once

#include "access/RequestTables.h"

namespace veldrin::bench {

inline RequestTables FullTables()
{
    RequestTables tables;
    for (int n = 1; n <= RowCount; ++n) {
        RequestRow& read = tables.Modbus_Read.row(n);
        read[Cell::Slave_ID] = QString::number(1 + n % 247);
        read[Cell::Type] = n % 2 ? QStringLiteral("Coil Status") : QStringLiteral("Holding Register");
        read[Cell::Address] = QString::number(n * 10);
        read[Cell::NPoint] = QStringLiteral("1");
        read[Cell::PollTime] = QStringLiteral("1000");
        read[Cell::MaxError] = QStringLiteral("3");
        read[Cell::Position] = QString::number((n * 7) % 990);
        read[Cell::Bit] = n % 2 ? QStringLiteral("3") : QString();
        RequestRow& write = tables.Modbus_Write.row(n);
        write = read;
        write[Cell::OnChange] = QStringLiteral("N");
        write[Cell::PollTime] = QStringLiteral("500");
    }
    return tables;
}

} // namespace veldrin::bench
