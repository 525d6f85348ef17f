// The checks of the request tables, run before they are saved, with the messages the user
// reads.
#pragma once

#include "access/RequestTables.h"

#include <QString>

#include <optional>

namespace veldrin {

class StringTable;

// The used rows of the read table, then of the write table, each rule of a row in order.
// Gives the message of the first rule that fails ("Error row " + row + the rule's text, and
// the limit for NPoint and Position), or nothing when every row passes.
std::optional<QString> Controllo_dati(const RequestTables& tables, const StringTable& strings);

// Whether a row passes every rule Controllo_dati applies to it.
bool RowPassesChecks(TableKind kind, const RequestRow& row);

// Reads a configuration's ModbusM_SetAccess.xml and runs Controllo_dati on it: the first
// message, or nothing when the tables pass or the file does not exist. Throws VeldrinError
// naming the file and the reason when it cannot be read.
std::optional<QString> CheckSetAccessFile(const QString& path, const StringTable& strings);

} // namespace veldrin
