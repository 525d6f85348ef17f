#include "comm/ParGenLayout.h"

namespace veldrin {

using namespace pargen_geometry;

namespace {

// Rows with their field's top; the label follows 3 pixels lower.
ParGenRow row(int fieldTop, bool shown = true)
{
    return {fieldTop + 3, fieldTop, shown};
}

} // namespace

ParGenLayout LayOutParGen(int deviceType, const ParGenBoxes& boxes)
{
    ParGenLayout layout;
    const bool jumperDevice = deviceType == 0;

    layout.serial = row(21);
    layout.baudRate = row(55);
    layout.parity = row(89);
    if (jumperDevice) {
        layout.stopBits = row(123, false);
        layout.timeOut = row(123);
        layout.idleTime = row(191, false);
        layout.protocol = row(157);
    } else {
        layout.stopBits = row(123);
        layout.timeOut = row(157);
        layout.idleTime = row(191);
        layout.protocol = row(225);
    }

    const int selectDeviceHeight = boxes.selectDeviceExpanded ? SelectDeviceHeight : CollapsedHeight;
    const int ethernetHeight =
        boxes.ethernetExpanded ? EthernetProtocolTop + ListHeight + BottomMargin : CollapsedHeight;
    const int modbusMasterHeight =
        boxes.modbusMasterExpanded ? layout.protocol.fieldTop + ListHeight + BottomMargin : CollapsedHeight;

    layout.selectDevice = QRect(BoxLeft, FirstBoxTop, BoxWidth, selectDeviceHeight);
    layout.ethernet = QRect(BoxLeft, layout.selectDevice.bottom() + 1 + BoxGap, BoxWidth, ethernetHeight);
    layout.modbusMaster = QRect(BoxLeft, layout.ethernet.bottom() + 1 + BoxGap, BoxWidth, modbusMasterHeight);

    const int boxesEnd = layout.modbusMaster.bottom() + 1;
    layout.ok = QRect(QPoint(OkLeft, boxesEnd + ButtonGap), ButtonSize);
    layout.cancel = QRect(QPoint(CancelLeft, boxesEnd + ButtonGap), ButtonSize);
    layout.client = QSize(ClientWidth, boxesEnd + ClientBelowBoxes);
    return layout;
}

} // namespace veldrin
