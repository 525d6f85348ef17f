// The requests a test poll sends: one per used read row of the configuration, the write rows
// beside them (sent only on an explicit opt-in), and the probes of a bus scan.
#pragma once

#include "access/DataAreaMap.h"
#include "access/RequestTables.h"
#include "poll/ModbusFrames.h"

#include <QString>

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace veldrin {

struct PollRequest {
    TableKind kind = TableKind::Read;
    int row = 0; // 1-based, as the grid numbers it; the slave id in a scan
    int slave = 0;
    int functionCode = 0;
    int address = 0;
    int points = 0;
    ModbusPdu pdu;
    // Read rows: the bits of the input area the answer would fill.
    BitRange landing;

    bool write() const { return kind == TableKind::Write; }
};

// The values a write row sends, as the user typed them: one per point, a bit as 0 or 1.
using WriteValues = std::map<int, std::vector<std::uint16_t>>;

// The request PDU of a read (FC 1 to 4) of points from address.
ModbusPdu ReadPdu(int functionCode, int address, int points);
// The request PDU of a write (FC 5, 6, 15, 16); missing values are 0, a bit is on when not 0.
ModbusPdu WritePdu(int functionCode, int address, int points, const std::vector<std::uint16_t>& values);

// The used read rows that pass the checks, in row order, only those of readRows when it is
// given; then every used write row that passes the checks, with the values for it in values.
std::vector<PollRequest> PollRequests(const RequestTables& tables,
                                      const std::optional<std::vector<int>>& readRows,
                                      const WriteValues& values = {});

// What a scan sends to each slave id: by default one holding register from address 0.
struct ScanProbe {
    int functionCode = 3;
    int address = 0;
    int points = 1;
};
// One probe per slave id, in the order given.
std::vector<PollRequest> ScanRequests(const std::vector<int>& ids, const ScanProbe& probe);

// "1,3-7" as the numbers 1, 3, 4, 5, 6, 7 (ascending, each once), each within low to high;
// nothing when the text is not such a list.
std::optional<std::vector<int>> ParseNumberList(const QString& text, int low, int high);

} // namespace veldrin
