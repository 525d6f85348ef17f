// ModbusM_SetAccess.xml: the file that keeps a configuration's request tables.
#pragma once

#include "access/RequestTables.h"

#include <QString>

namespace veldrin {

// The tables kept in the file at path; a missing file gives two empty tables. Each `row`
// element of Modbus_Read and Modbus_Write fills the next row, each cell from the attribute
// of its name; other nodes there are skipped, and a missing section or attribute reads as
// empty. Throws VeldrinError naming the file when it cannot be read, is not well-formed,
// does not begin with its root element, or a section holds more rows than a table has.
RequestTables ReadRequestTables(const QString& path);

// Replaces the file at path by the used rows of both tables, every attribute of a row
// written in file order with its text unchanged; the previous file stays whole on failure.
void WriteRequestTables(const QString& path, const RequestTables& tables);

// The bytes WriteRequestTables writes.
QByteArray RequestTablesBytes(const RequestTables& tables);

} // namespace veldrin
