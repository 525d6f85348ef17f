// An estimate of how busy the request tables keep the serial line, from the line's settings in
// ParGen.xml and the used rows alone: the time each request takes on the line, and the share of
// the line the tables ask for. An estimate, not a measurement: slaves that answer late, retries
// and the device's own pauses add to it.
#pragma once

#include "access/RequestTables.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace veldrin {

struct SerialLine {
    std::uint32_t baud = 9600;
    // 8 for Modbus RTU, 7 for Modbus ASCII.
    int dataBits = 8;
    // 1 for odd or even parity, 0 for none.
    int parityBits = 0;
    // 'N', 'O' or 'E'.
    char parity = 'N';
    int stopBits = 1;
    bool ascii = false;
};

// The line ParGen.xml's list indexes name (Baud_Rate, Parity, Ser_StopBits, Ser_Prot); an index
// outside its list takes the device's default (9600, none, one stop bit, RTU).
SerialLine SerialLineOf(int baudIndex, int parityIndex, int stopBitsIndex, int protocolIndex);
// "19200 8E1".
QString SerialLineName(const SerialLine& line);

// The time of one character on the line: (start bit + data bits + parity bit + stop bits) / baud.
double CharacterMs(const SerialLine& line);
// The bytes of an RTU request and of its answer for a function code and a point count.
struct FrameBytes {
    int request = 0;
    int response = 0;
};
FrameBytes RtuFrameBytes(int functionCode, int points);
// One request and its answer on the line: both frames, the silent gap before each (3.5
// characters up to 19200 baud, 1.75 ms above; none in ASCII, whose frames carry two characters
// a byte and a closing one) and the slave's turnaround.
double TransactionMs(const SerialLine& line, int functionCode, int points, double turnaroundMs);

struct RowLoad {
    int row = 0; // 1-based
    int functionCode = 0;
    double ms = 0;
    int pollTimeMs = 0;
    // Its own transaction takes longer than its poll time.
    bool overPollTime = false;
};

struct TableLoad {
    // The used rows that pass the checks.
    std::vector<RowLoad> rows;
    // Σ T / PollTime over the rows with a poll time, in percent; a write row with poll time 0
    // is sent on change only and is not counted.
    double percent = 0;
    // Σ T: the shortest cycle the line allows for the table.
    double cycleMs = 0;
};

TableLoad TableBusLoad(TableKind kind, const RequestTable& table, const SerialLine& line,
                       double turnaroundMs);

// How a load reads at a glance: above 70 % a warning, above 100 % more than the line carries.
enum class LoadLevel { Fine, High, Over };
LoadLevel LoadLevelOf(double percent);

} // namespace veldrin
