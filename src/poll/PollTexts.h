// The string-table indexes of the test poll's texts, in one place.
#pragma once

namespace veldrin::polltext {

inline constexpr int StatusOk = 285;          // "OK"
inline constexpr int StatusTimeout = 286;     // "Time-out"
inline constexpr int StatusException = 287;   // "Exception %1 (%2)"
inline constexpr int StatusCheck = 288;       // "CRC or LRC error"
inline constexpr int StatusFraming = 289;     // "Framing error"
inline constexpr int StatusWrongSlave = 290;  // "Answer from slave %1"
inline constexpr int StatusWrongAnswer = 291; // "Wrong answer"
inline constexpr int StatusNotRun = 292;      // "Not run"
inline constexpr int StatusNotSent = 293;     // "Not sent (write)"
inline constexpr int PortMissing = 294;       // "The serial port %1 does not exist."
inline constexpr int PortBusy = 295;          // "The serial port %1 is busy: ..."
inline constexpr int PortFailed = 296;        // "The serial port %1 cannot be opened: %2"
inline constexpr int PortLost = 297;          // "The serial port %1 failed during the run: %2. ..."
inline constexpr int PortNoAccess = 214;      // the serial update dialog's dialout advice
inline constexpr int WriteValuesBad = 298;    // "Write row %1 needs %2 values from 0 to %3, ..."
inline constexpr int WriteLine = 299;         // "Write row %1: slave %2, address %3, values %4"
inline constexpr int WriteQuestion = 300;     // "These write requests go to the live bus ...%1..."
inline constexpr int Title = 301;             // "Test poll"
inline constexpr int Port = 302;              // "Port:"
inline constexpr int Rounds = 303;            // "Rounds:"
inline constexpr int UntilStopped = 304;      // "Until stopped"
inline constexpr int Timeout = 305;           // "Time-out (ms):"
inline constexpr int SendWrites = 306;        // "Send write requests"
inline constexpr int Start = 307;             // "Start"
inline constexpr int Stop = 308;              // "Stop"
inline constexpr int SaveTraffic = 309;       // "Save..."
inline constexpr int Close = 241;             // "Close"
inline constexpr int Traffic = 310;           // "Traffic"
inline constexpr int Results = 311;           // "Results"
inline constexpr int FirstHeader = 312;       // "Table", "Row", "Slave", ... "Input area": 12 texts
inline constexpr int HeaderCount = 12;
inline constexpr int ReadTable = 324;     // "Read"
inline constexpr int WriteTable = 325;    // "Write"
inline constexpr int Answered = 326;      // "Slaves that answered: %1"
inline constexpr int NeverAnswered = 327; // "Slaves that never answered: %1"
inline constexpr int Cycle = 328;         // "Cycle %1 ms measured, %2 ms estimated from the bus load"
inline constexpr int NoSlaves = 329;      // "none"
inline constexpr int ChoosePort = 330;    // "Choose or type a serial port."
inline constexpr int TrafficFilter = 331; // "Text files (*.txt)"
inline constexpr int Running = 332;       // "Round %1 running..."
inline constexpr int Stopped = 333;       // "Stopped after %1 rounds."
inline constexpr int Finished = 334;      // "Finished: %1 rounds."
inline constexpr int FrameHeader = 335;   // "Frame"

} // namespace veldrin::polltext
