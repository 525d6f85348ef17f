// Where the Set Communication dialog puts its three stacked group boxes, the rows of the
// Modbus Master box and its two buttons, for a device type and the boxes' expanded state.
#pragma once

#include <QRect>
#include <QSize>

namespace veldrin {

// A row of the Modbus Master box: tops inside the box; the label sits 3 pixels below its
// field.
struct ParGenRow {
    int labelTop = 0;
    int fieldTop = 0;
    bool shown = true;

    bool operator==(const ParGenRow&) const = default;
};

struct ParGenLayout {
    // In the dialog's client area.
    QRect selectDevice;
    QRect ethernet;
    QRect modbusMaster;
    QRect ok;
    QRect cancel;
    QSize client;

    // Inside the Modbus Master box.
    ParGenRow serial;
    ParGenRow baudRate;
    ParGenRow parity;
    ParGenRow stopBits;
    ParGenRow timeOut;
    ParGenRow idleTime;
    ParGenRow protocol;

    bool operator==(const ParGenLayout&) const = default;
};

struct ParGenBoxes {
    bool selectDeviceExpanded = true;
    bool ethernetExpanded = true;
    bool modbusMasterExpanded = true;
};

namespace pargen_geometry {
inline constexpr int BoxLeft = 8;
inline constexpr int BoxWidth = 296;
inline constexpr int FirstBoxTop = 70;
inline constexpr int BoxGap = 6;
inline constexpr int CollapsedHeight = 26;
inline constexpr int SelectDeviceHeight = 58;
// The lists that close the Ethernet and Modbus Master boxes, and the margin below them.
inline constexpr int EthernetProtocolTop = 222;
inline constexpr int ListHeight = 22;
inline constexpr int BottomMargin = 15;
// The collapse and expand buttons, inside their box.
inline constexpr QRect ToggleButton{280, 10, 11, 11};
inline constexpr int OkLeft = 71;
inline constexpr int CancelLeft = 192;
inline constexpr QSize ButtonSize{112, 28};
inline constexpr int ButtonGap = 13;
inline constexpr int ClientWidth = 312;
inline constexpr int ClientBelowBoxes = 54;
} // namespace pargen_geometry

// The layout after the boxes were collapsed or expanded as given and the rows were placed
// for deviceType: type 0 hides the stop-bits and idle-time rows, any other shows them.
ParGenLayout LayOutParGen(int deviceType, const ParGenBoxes& boxes);

} // namespace veldrin
