// Rows for the request-table tests, written in the order of the file's attributes.
#pragma once

#include "access/RequestTables.h"

#include <QString>

#include <initializer_list>

namespace veldrin::test {

// A read row from its nine cells in file order.
inline RequestRow ReadRow(std::initializer_list<const char*> cells)
{
    RequestRow row;
    auto it = cells.begin();
    for (Cell cell : TableCells(TableKind::Read)) {
        if (it == cells.end())
            break;
        row[cell] = QString::fromUtf8(*it++);
    }
    return row;
}

// A write row from its ten cells in file order.
inline RequestRow WriteRow(std::initializer_list<const char*> cells)
{
    RequestRow row;
    auto it = cells.begin();
    for (Cell cell : TableCells(TableKind::Write)) {
        if (it == cells.end())
            break;
        row[cell] = QString::fromUtf8(*it++);
    }
    return row;
}

} // namespace veldrin::test
