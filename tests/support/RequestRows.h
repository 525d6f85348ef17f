// Request rows filled in tests: the cells a row's place and size depend on, with a poll time of
// 100 ms and three errors allowed.
#pragma once

#include "access/RequestTables.h"

namespace veldrin::test {

inline void FillRow(RequestRow& row, const char* slave, const char* type, const char* address,
                    const char* points, const char* position, const char* bit = "")
{
    row[Cell::Slave_ID] = QString::fromLatin1(slave);
    row[Cell::Type] = QString::fromLatin1(type);
    row[Cell::Address] = QString::fromLatin1(address);
    row[Cell::NPoint] = QString::fromLatin1(points);
    row[Cell::PollTime] = QStringLiteral("100");
    row[Cell::MaxError] = QStringLiteral("3");
    row[Cell::Position] = QString::fromLatin1(position);
    row[Cell::Bit] = QString::fromLatin1(bit);
}

} // namespace veldrin::test
